// PanelWidgets: one Qt widget per row of the control table, laid out in rows and columns and wired to the controller.
#include "qt/PanelWidgets.h"

#include <Qsci/qsciscintilla.h>

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <algorithm>

#include "window/FontSizes.h"
#include "panel/MainPanel.h"

namespace plinvaro::qt {
namespace {

constexpr int kPanelMargin = 4;    // around the panel's controls
constexpr int kTopRowSpacing = 6;  // between the top row's controls
constexpr int kTopRowGap = 12;     // before the check box and before "Font size"
constexpr int kColumnSpacing = 2;  // between stacked buttons, and between a box and its column
constexpr int kTextPadding = 8;    // beside a button's text, over the style's own margins
constexpr int kSliderLeastShare = 2;  // the slider may shrink to this part of the length it asks for

// A push button as wide as its text asks, not as wide as the style's least
// width for text buttons: the right column stays narrow, as the boxes need room.
class PanelButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

  QSize sizeHint() const override {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margins = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) +
                        2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    const int height = QPushButton::sizeHint().height();
    const int width = fontMetrics().size(Qt::TextShowMnemonic, text()).width() + margins + kTextPadding;
    return {std::max(width, height), height};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }
};

QString FromBytes(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString FromText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
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
  QWidget* panel = nullptr;
  for (const ControlSpec& row : ControlTable()) {
    QWidget* widget = Create(row, panel ? panel : client, codePage);
    if (row.control == ControlId::Panel) panel = widget;
    widgets_[static_cast<std::size_t>(row.control)] = widget;
    if (!row.guiFont) widget->setFont(SystemFont());
    widget->setEnabled(row.initiallyEnabled);
  }
  previewBox_->SetBackground(kPreviewBackground);
  Arrange(client, panel);
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
      auto* button = new PanelButton(text, parent);
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

void PanelWidgets::Arrange(QWidget* client, QWidget* panel) {
  auto* fill = new QVBoxLayout(client);  // owned by the client area, as are the layouts below by theirs
  fill->setContentsMargins(0, 0, 0, 0);
  fill->addWidget(panel);
  auto* rows = new QVBoxLayout(panel);
  rows->setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelMargin);
  rows->addLayout(TopRow());
  rows->addLayout(Boxes(), 1);
}

QLayout* PanelWidgets::TopRow() const {
  using enum ControlId;
  auto* top = new QHBoxLayout;
  top->setSpacing(kTopRowSpacing);
  top->addWidget(widget(DirLabel));
  // The box keeps room for a path however little room the docks leave.
  widget(DirEdit)->setMinimumWidth(widget(DirEdit)->sizeHint().width());
  top->addWidget(widget(DirEdit), 1);
  top->addWidget(widget(BrowseButton));
  top->addSpacing(kTopRowGap);
  top->addWidget(widget(OnTheFlyCheck));
  top->addSpacing(kTopRowGap);
  top->addWidget(widget(FontSizeLabel));
  top->addWidget(widget(FontSizeCombo));
  return top;
}

QLayout* PanelWidgets::Boxes() const {
  using enum ControlId;
  auto* boxes = new QGridLayout;
  boxes->setSpacing(kColumnSpacing);
  boxes->addWidget(widget(SourceBox), 0, 0);
  boxes->addWidget(widget(PreviewBox), 1, 0);
  boxes->setRowStretch(0, 1);
  boxes->setColumnStretch(0, 1);

  auto* column = new QVBoxLayout;
  column->setSpacing(kColumnSpacing);
  for (const ControlId id : {StartButton, PauseButton, SearchButton, ToSrcButton, StopButton})
    column->addWidget(widget(id));
  // The slider gives way first, but keeps room for a drag along its ticks.
  widget(SpeedTrackbar)->setMinimumHeight(widget(SpeedTrackbar)->sizeHint().height() / kSliderLeastShare);
  column->addWidget(widget(SpeedTrackbar), 1, Qt::AlignHCenter);
  boxes->addLayout(column, 0, 1);

  auto* parts = new QGridLayout;
  parts->setSpacing(kColumnSpacing);
  parts->addWidget(widget(PrevButton), 0, 0);
  parts->addWidget(widget(NextButton), 0, 1);
  parts->addWidget(widget(AcceptButton), 1, 0, 1, 2);
  parts->setRowStretch(2, 1);
  parts->addWidget(widget(MoreButton), 3, 0);
  boxes->addLayout(parts, 1, 1);
  // The preview keeps its height; the buttons beside it may ask for more with a large font.
  widget(PreviewBox)->setFixedHeight(std::max(kPreviewHeight, parts->minimumSize().height()));
  return boxes;
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
