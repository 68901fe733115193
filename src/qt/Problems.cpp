// Problems: one refusal, printed and shown.
#include "qt/Problems.h"

#include <QFile>
#include <QMessageBox>
#include <cstdio>

#include "panel/MainPanel.h"

namespace plinvaro::qt {

void ShowProblem(QWidget* parent, const std::string& text) {
  std::fprintf(stderr, "plinvaro: %s\n", text.c_str());
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kErrorCaption),
                  QFile::decodeName(QByteArray::fromStdString(text)), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace plinvaro::qt
