// PanelWidgets: one Qt widget per row of the control table, measured, placed and wired to the controller.
#include "qt/PanelWidgets.h"

#include <Qsci/qsciscintilla.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "window/FontSizes.h"
#include "panel/MainPanel.h"
#include "window/Relayout.h"

namespace plinvaro::qt {
namespace {

QString FromBytes(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString FromText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TextExtent Measure(std::string_view text) {
  const QFontMetrics metrics(SystemFont());
  return {metrics.horizontalAdvance(FromText(text)), metrics.height()};
}

ControlId PartButtonControl(PartButton button) {
  switch (button) {
    case PartButton::Prev: return ControlId::PrevButton;
    case PartButton::Next: return ControlId::NextButton;
    case PartButton::Accept: return ControlId::AcceptButton;
    case PartButton::More: return ControlId::MoreButton;
  }
  return ControlId::PrevButton;
}

}  // namespace

QFont SystemFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  font.setResolveMask(QFont::AllPropertiesResolved);  // a set font, not one merged with the parent's
  return font;
}

Rect WidgetRect(const ControlSpec& row, const Rect& rect, int closedListHeight) {
  if (row.kind != ControlKind::ComboBox) return rect;
  return {rect.x, rect.y, rect.width, std::min(rect.height, closedListHeight)};
}

SpeedTrackbar::SpeedTrackbar(QWidget* parent) : QSlider(Qt::Vertical, parent) {
  setRange(kTrackbarMin, kTrackbarMax);
  setTickInterval(kTrackbarTickFrequency);
  setTickPosition(QSlider::TicksRight);
  // The least value at the top; Down moves the thumb down, towards faster.
  setInvertedAppearance(true);
  setInvertedControls(true);
}

void SpeedTrackbar::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && onEvent) onEvent(SliderEvent::MouseReleased);
}

void SpeedTrackbar::keyPressEvent(QKeyEvent* event) {
  const int before = value();
  QSlider::keyPressEvent(event);
  if (value() != before && onEvent) onEvent(SliderEvent::KeyboardMoved);
}

PanelWidgets::PanelWidgets(QWidget* client, QWidget* window, DisplayCodePage codePage)
    : window_(window) {
  topRow_ = MeasureTopRow(Measure);
  QWidget* panel = nullptr;
  for (const ControlSpec& row : ControlTable()) {
    QWidget* widget = Create(row, panel ? panel : client, codePage);
    if (row.control == ControlId::Panel) panel = widget;
    widgets_[static_cast<std::size_t>(row.control)] = widget;
    if (!row.guiFont) widget->setFont(SystemFont());
    widget->setEnabled(row.initiallyEnabled);
    Place(row.control, CreationRect(row.control, topRow_));
  }
}

PanelWidgets::~PanelWidgets() = default;

QWidget* PanelWidgets::Create(const ControlSpec& row, QWidget* parent, DisplayCodePage codePage) {
  const QString text = FromText(row.text);
  switch (row.kind) {
    case ControlKind::Panel:
      return new QWidget(parent);
    case ControlKind::Label:
      return new QLabel(text, parent);
    case ControlKind::LineEdit: {
      auto* edit = new QLineEdit(parent);
      edit->setFocusPolicy(Qt::ClickFocus);
      return edit;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, parent);
      button->setFocusPolicy(Qt::ClickFocus);
      return button;
    }
    case ControlKind::CheckBox: {
      auto* check = new QCheckBox(text, parent);
      check->setLayoutDirection(Qt::RightToLeft);  // the label left of the box
      check->setChecked(row.initiallyChecked);
      check->setFocusPolicy(Qt::ClickFocus);
      return check;
    }
    case ControlKind::ComboBox: {
      auto* list = new QComboBox(parent);
      for (const std::string_view item : FontSizeItems()) list->addItem(FromText(item));
      list->setFocusPolicy(Qt::ClickFocus);
      return list;
    }
    case ControlKind::RichText: {
      auto& document = row.control == ControlId::SourceBox ? sourceBox_ : previewBox_;
      document = std::make_unique<ScintillaDocument>(parent, codePage);
      return document->widget();
    }
    case ControlKind::Trackbar: {
      auto* trackbar = new SpeedTrackbar(parent);
      trackbar->setFocusPolicy(Qt::ClickFocus);
      return trackbar;
    }
  }
  return new QWidget(parent);
}

void PanelWidgets::Place(ControlId id, const Rect& rect) {
  QWidget* target = widget(id);
  const Rect r = WidgetRect(Control(id), rect, target->sizeHint().height());
  target->setGeometry(r.x, r.y, r.width, r.height);
}

void PanelWidgets::Connect(MainPanel& panel) {
  for (const ControlSpec& row : ControlTable()) {
    const std::optional<Command> command = ButtonCommand(row.commandId);
    if (!command) continue;
    const auto run = [this, &panel, command] {
      if (routeCommand) {
        routeCommand(*command);
      } else {
        panel.Run(*command);
      }
    };
    if (row.kind == ControlKind::PushButton) {
      QObject::connect(Button(row.control), &QPushButton::clicked, run);
    } else if (row.kind == ControlKind::CheckBox) {
      QObject::connect(Check(), &QCheckBox::clicked, run);
    }
  }
  QObject::connect(FontList(), &QComboBox::activated, [&panel] { panel.ApplyFontSize(); });
  Trackbar()->onEvent = [&panel](SliderEvent event) { HandleSliderEvent(panel, event); };
}

void PanelWidgets::Relayout(Size client) {
  const auto outerSize = [this](ControlId id) -> Size {
    return {widget(id)->width(), widget(id)->height()};
  };
  for (const ControlPlace& place : RelayoutPanel(client, outerSize)) {
    Place(place.control, place.rect);
  }
  previewBox_->SetBackground(kPreviewBackground);
}

QPushButton* PanelWidgets::Button(ControlId id) const {
  return static_cast<QPushButton*>(widget(id));
}
QCheckBox* PanelWidgets::Check() const {
  return static_cast<QCheckBox*>(widget(ControlId::OnTheFlyCheck));
}
QComboBox* PanelWidgets::FontList() const {
  return static_cast<QComboBox*>(widget(ControlId::FontSizeCombo));
}
QLineEdit* PanelWidgets::DirEdit() const {
  return static_cast<QLineEdit*>(widget(ControlId::DirEdit));
}
SpeedTrackbar* PanelWidgets::Trackbar() const {
  return static_cast<SpeedTrackbar*>(widget(ControlId::SpeedTrackbar));
}

void PanelWidgets::EnablePartButton(PartButton button, bool enabled) {
  widget(PartButtonControl(button))->setEnabled(enabled);
}

bool PanelWidgets::IsPartButtonEnabled(PartButton button) const {
  return widget(PartButtonControl(button))->isEnabled();
}

bool PanelWidgets::IsOnTheFlyChecked() const { return Check()->isChecked(); }

void PanelWidgets::SetOnTheFlyChecked(bool checked) { Check()->setChecked(checked); }

std::int32_t PanelWidgets::TrackbarPosition() const { return Trackbar()->value(); }

void PanelWidgets::SetTrackbarPosition(std::int32_t position) { Trackbar()->setValue(position); }

std::string PanelWidgets::DirectoryText() const {
  return QFile::encodeName(DirEdit()->text()).toStdString();
}

void PanelWidgets::SetDirectoryText(const std::string& text) {
  DirEdit()->setText(FromBytes(text));
}

bool PanelWidgets::DirectoryHasFocus() const { return DirEdit()->hasFocus(); }

void PanelWidgets::SetTitle(const std::string& title) { window_->setWindowTitle(FromBytes(title)); }

void PanelWidgets::SelectFontSize(int index) { FontList()->setCurrentIndex(index); }

std::string PanelWidgets::SelectedFontSizeText() const {
  return FontList()->currentText().toStdString();
}

}  // namespace plinvaro::qt
