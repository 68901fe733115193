// Keyboard: focus chain, tab passing in the text boxes, control names, the extra key and the fixed-pitch Hotkeys box.
#include "qt/Keyboard.h"

#include <Qsci/qsciscintilla.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
#include <QSlider>

#include "desktop/DesktopKeys.h"
#include "panel/MainPanel.h"
#include "window/WindowTexts.h"
#include "qt/PanelWidgets.h"

namespace plinvaro::qt {
namespace {

QString FromText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool Reachable(const QWidget* widget) {
  return widget->isEnabled() && widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus);
}

// In a text box: Tab and Shift+Tab move the focus on, Ctrl+Tab types a tab.
class TabPasser : public QObject {
 public:
  explicit TabPasser(QWidget* box) : QObject(box), box_(box) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != box_ || event->type() != QEvent::KeyPress || typing_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (!tab) return false;
    if (key->modifiers() & Qt::ControlModifier) {
      typing_ = true;
      QKeyEvent plain(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
      QCoreApplication::sendEvent(box_, &plain);
      typing_ = false;
      return true;
    }
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    QWidget* next = box_;
    do {
      next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    } while (next != box_ && !Reachable(next));
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }

 private:
  QWidget* box_;  // the parent
  bool typing_ = false;
};

// In a text box or edit: a character key held with Alt alone types nothing.
class AltTypesNothing : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool character = !key->text().isEmpty() && key->text().front().isPrint();
    return character && !MayTypeCharacter(key->modifiers().testFlag(Qt::ControlModifier),
                                          key->modifiers().testFlag(Qt::AltModifier));
  }
};

void Name(QWidget* widget, const QString& name) {
  widget->setToolTip(name);
  widget->setAccessibleName(name);
}

}  // namespace

void InstallKeyboard(PanelWidgets& controls) {
  QWidget* previous = nullptr;
  for (const ControlId id : TabOrder()) {
    QWidget* widget = controls.widget(id);
    widget->setFocusPolicy(Qt::StrongFocus);
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
    const std::string name = ControlName(id);
    if (!name.empty()) Name(widget, FromText(name));
  }
  for (const ControlId id : {ControlId::DirLabel, ControlId::FontSizeLabel}) {
    controls.widget(id)->setAccessibleName(FromText(ControlName(id)));
  }
  for (ScintillaDocument* box : {&controls.sourceBox(), &controls.previewBox()}) {
    box->widget()->installEventFilter(new TabPasser(box->widget()));  // owned by the box
  }
  for (QWidget* typed : {static_cast<QWidget*>(controls.sourceBox().widget()),
                         static_cast<QWidget*>(controls.previewBox().widget()), controls.widget(ControlId::DirEdit)})
    typed->installEventFilter(new AltTypesNothing(typed));  // owned by the widget it watches
  auto* slider = static_cast<QSlider*>(controls.widget(ControlId::SpeedTrackbar));
  const auto nameSlider = [slider](int position) {
    Name(slider, FromText(SpeedSliderName(position)));
  };
  QObject::connect(slider, &QSlider::valueChanged, slider, nameSlider);
  nameSlider(slider->value());
}

void InstallMoreTextKey(QWidget& window, MainPanel& panel) {
  auto* key = new QShortcut(QKeySequence(FromText(kMoreTextKey)), &window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, &window, [&panel] { panel.Run(Command::More); });
}

namespace {

bool DrawsEveryLetterAlike(const QFont& font) {
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W')) &&
         metrics.horizontalAdvance(QLatin1Char('-')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

}  // namespace

QFont FixedPitchFont() {
  // A family may draw fixed-pitch text without saying so, or say so and not
  // draw it: what counts is the advance of the letters as drawn.
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (DrawsEveryLetterAlike(system)) return system;
  for (const QString& family : QFontDatabase::families()) {
    QFont font(family, system.pointSize());
    if (DrawsEveryLetterAlike(font)) return font;
  }
  return system;
}

void ShowHotkeysBox(QWidget* parent) {
  const std::string text = AlignedHotkeyHelpText();
  QMessageBox box(QMessageBox::NoIcon, FromText(kHotkeysCaption), FromText(text), QMessageBox::Ok,
                  parent);
  box.setTextFormat(Qt::PlainText);
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    label->setFont(FixedPitchFont());
  }
  box.exec();
}

}  // namespace plinvaro::qt
