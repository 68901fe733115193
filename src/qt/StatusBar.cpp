// StatusBar: four labels in the window's status bar, refreshed from the composed status fields.
#include "qt/StatusBar.h"

#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>

#include "panel/MainPanel.h"
#include "qt/PanelChanges.h"

namespace plinvaro::qt {
namespace {

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

constexpr int kFieldPadding = 2;  // beside the text, within the field

// The part of `field` its text is drawn in.
QRect TextArea(const QLabel& field) {
  const int inset = field.margin() + kFieldPadding;
  return field.contentsRect().adjusted(inset, 0, -inset, 0);
}

// A field that yields its width to the window: a text wider than the field loses its end, the window keeps its size.
class FieldText : public QLabel {
 public:
  explicit FieldText(QWidget* parent) : QLabel(parent) {}

  QSize sizeHint() const override { return QLabel::sizeHint() + QSize(2 * kFieldPadding, 0); }
  QSize minimumSizeHint() const override { return {1, QLabel::minimumSizeHint().height()}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawText(TextArea(*this), Qt::AlignLeft | Qt::AlignVCenter, ShownText(*this));
  }
};

// The message takes what the other fields, each as wide as its text where there is room, leave.
QLabel* FieldLabel(QStatusBar* bar, const char* name, bool takesTheRest) {
  auto* label = new FieldText(bar);
  label->setObjectName(QLatin1String(name));
  label->setSizePolicy(takesTheRest ? QSizePolicy::Ignored : QSizePolicy::Preferred, QSizePolicy::Preferred);
  label->setTextFormat(Qt::PlainText);
  bar->addWidget(label, takesTheRest ? 1 : 0);
  return label;
}

void SetText(QLabel* label, const std::string& text, const std::string& whole) {
  const QString shown = FromBytes(text);
  label->setText(shown);
  label->setToolTip(whole.empty() ? shown : FromBytes(whole));
  label->setAccessibleName(label->toolTip());
  label->setVisible(!shown.isEmpty());
}

}  // namespace

StatusBar::StatusBar(QMainWindow& window, MainPanel& panel, const PanelControls& controls,
                     PanelChanges& changes)
    : panel_(panel), controls_(controls) {
  QStatusBar* bar = window.statusBar();
  bar->setSizeGripEnabled(false);
  message_ = FieldLabel(bar, "statusMessage", true);
  playback_ = FieldLabel(bar, "statusPlayback", false);
  preview_ = FieldLabel(bar, "statusPreview", false);
  run_ = FieldLabel(bar, "statusRun", false);
  steering_ = FieldLabel(bar, "statusSteering", false);
  speed_ = new QLabel(bar);
  speed_->setObjectName(QLatin1String("statusSpeed"));
  bar->addPermanentWidget(speed_);
  changes.Listen([this] { Refresh(); });
  Refresh();
}

QString ShownText(const QLabel& field) {
  return field.fontMetrics().elidedText(field.text(), Qt::ElideRight, TextArea(field).width());
}

void StatusBar::ShowMessage(const std::string& text, const std::string& whole) { SetText(message_, text, whole); }

void StatusBar::ShowSearchOutcome() {
  const SearchOutcome& outcome = panel_.lastSearch();
  ShowMessage(SearchOutcomeStatus(outcome, StatusForm::Short), SearchOutcomeStatus(outcome, StatusForm::Whole));
  Refresh();
}

void StatusBar::Refresh() {
  StatusFields fields = ComposeStatus(panel_, controls_);
  StatusFields whole = ComposeStatus(panel_, controls_, StatusForm::Whole);
  if (shownOnce_ && fields == shown_ && whole == shownWhole_) return;
  shownOnce_ = true;
  SetText(playback_, fields.playback, whole.playback);
  SetText(preview_, fields.preview, whole.preview);
  SetText(run_, fields.run, whole.run);
  SetText(steering_, fields.steering, whole.steering);
  SetText(speed_, fields.speed, whole.speed);
  shown_ = std::move(fields);
  shownWhole_ = std::move(whole);
}

QString StatusBar::message() const { return message_->text(); }
QString StatusBar::playback() const { return playback_->text(); }
QString StatusBar::preview() const { return preview_->text(); }
QString StatusBar::run() const { return run_->text(); }
QString StatusBar::steering() const { return steering_->text(); }
QString StatusBar::speed() const { return speed_->text(); }

}  // namespace plinvaro::qt
