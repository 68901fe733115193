// EditReporter: SCN_MODIFIED as the document's user changes.
#include "qt/EditReporter.h"

#include <Qsci/qsciscintilla.h>

namespace plinvaro::qt {
namespace {

using Sci = QsciScintillaBase;

// Heard just before the box changes: QScintilla answers a notification after an
// insertion by counting the characters from the start of the text to it, for
// its accessibility events, which costs each key time in proportion to the text.
constexpr int kTextChanges = Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE;

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
  const bool inserted = (type & Sci::SC_MOD_BEFOREINSERT) != 0;
  document_.ReportUserChange({position, inserted ? 0 : length, inserted ? length : 0,
                              restore ? ChangeCause::Restore : ChangeCause::User, true});
}

}  // namespace plinvaro::qt
