// StatusBar: four labels in the window's status bar, refreshed from the composed status fields.
#include "qt/StatusBar.h"

#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>

#include "panel/MainPanel.h"

namespace plinvaro::qt {
namespace {

constexpr int kRefreshIntervalMs = 150;

QString FromBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

// A field that yields its width to the window: a long path loses its middle, the window keeps its size.
class FieldText : public QLabel {
 public:
  explicit FieldText(QWidget* parent) : QLabel(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin() + 2, 0, -margin() - 2, 0);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
  }
};

QLabel* FieldLabel(QStatusBar* bar, const char* name, int stretch) {
  auto* label = new FieldText(bar);
  label->setObjectName(QLatin1String(name));
  label->setMinimumWidth(1);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  label->setTextFormat(Qt::PlainText);
  bar->addWidget(label, stretch);
  return label;
}

void SetText(QLabel* label, const std::string& text) {
  const QString shown = FromBytes(text);
  label->setText(shown);
  label->setToolTip(shown);
  label->setAccessibleName(shown);
  label->setVisible(!shown.isEmpty());
}

}  // namespace

StatusBar::StatusBar(QMainWindow& window, MainPanel& panel, const PanelControls& controls)
    : window_(window), panel_(panel), controls_(controls) {
  QStatusBar* bar = window.statusBar();
  bar->setSizeGripEnabled(false);
  message_ = FieldLabel(bar, "statusMessage", 3);
  playback_ = FieldLabel(bar, "statusPlayback", 3);
  preview_ = FieldLabel(bar, "statusPreview", 3);
  run_ = FieldLabel(bar, "statusRun", 2);
  steering_ = FieldLabel(bar, "statusSteering", 2);
  speed_ = new QLabel(bar);
  speed_->setObjectName(QLatin1String("statusSpeed"));
  bar->addPermanentWidget(speed_);
  timer_.setInterval(kRefreshIntervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { Refresh(); });
  timer_.start();
  Refresh();
}

void StatusBar::ShowMessage(const std::string& text) { SetText(message_, text); }

void StatusBar::ShowSearchOutcome() {
  ShowMessage(SearchOutcomeText(panel_.lastSearch()));
  Refresh();
}

void StatusBar::Refresh() {
  const QString title = FromBytes(PlayingTitle(panel_));
  if (window_.windowTitle() != title) window_.setWindowTitle(title);
  StatusFields fields = ComposeStatus(panel_, controls_);
  if (shownOnce_ && fields == shown_) return;
  shownOnce_ = true;
  SetText(playback_, fields.playback);
  SetText(preview_, fields.preview);
  SetText(run_, fields.run);
  SetText(steering_, fields.steering);
  SetText(speed_, fields.speed);
  shown_ = std::move(fields);
}

QString StatusBar::message() const { return message_->text(); }
QString StatusBar::playback() const { return playback_->text(); }
QString StatusBar::preview() const { return preview_->text(); }
QString StatusBar::run() const { return run_->text(); }
QString StatusBar::steering() const { return steering_->text(); }
QString StatusBar::speed() const { return speed_->text(); }

}  // namespace plinvaro::qt
