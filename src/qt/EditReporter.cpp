// EditReporter: SCN_MODIFIED as the document's user changes.
#include "qt/EditReporter.h"

#include <Qsci/qsciscintilla.h>

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

constexpr int kTextChanges = Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT;

}  // namespace

EditReporter::EditReporter(ScintillaDocument& document)
    : QObject(document.widget()), document_(document) {
  connect(document.widget(), &Sci::SCN_MODIFIED, this,
          [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
            Modified(position, type, length);
          });
  SetReporting(true);
}

void EditReporter::SetReporting(bool reporting) {
  document_.widget()->SendScintilla(Sci::SCI_SETMODEVENTMASK,
                                    static_cast<unsigned long>(reporting ? kTextChanges : 0));
  document_.SetReportsUserChanges(reporting);
}

void EditReporter::Modified(int position, int type, int length) {
  if ((type & kTextChanges) == 0 || length <= 0) return;
  const bool restore = (type & (Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO)) != 0;
  const bool inserted = (type & Sci::SC_MOD_INSERTTEXT) != 0;
  document_.ReportUserChange({position, inserted ? 0 : length, inserted ? length : 0,
                              restore ? ChangeCause::Restore : ChangeCause::User});
}

}  // namespace plinvaro::qt
