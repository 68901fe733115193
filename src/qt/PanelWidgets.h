// PanelWidgets: the panel and its eighteen controls as Qt widgets, made from the control table and placed by Qt layouts.
//
// Realises PanelControls for MainPanel. Every widget belongs to the panel widget,
// which fills the client area given at construction; the two documents are
// owned here and refer to their boxes. The layouts give each control at least
// the room its text and style ask for; sizes are logical pixels.
#pragma once

#include <QFont>
#include <QSlider>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "window/ControlTable.h"
#include "panel/Platform.h"
#include "panel/SpeedSlider.h"
#include "qt/ScintillaDocument.h"

class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace plinvaro {
class MainPanel;
}

namespace plinvaro::qt {

// The font that "..." keeps: the platform's title font (the application font
// where the platform names none).
QFont SystemFont();

// The vertical speed trackbar: reports a released mouse and keyboard moves.
class SpeedTrackbar : public QSlider {
 public:
  explicit SpeedTrackbar(QWidget* parent);
  std::function<void(SliderEvent)> onEvent;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class PanelWidgets : public PanelControls {
 public:
  // Creates the panel inside `client`; `window` is the top-level window whose title the panel sets.
  PanelWidgets(QWidget* client, QWidget* window, DisplayCodePage codePage);
  PanelWidgets(const PanelWidgets&) = delete;
  PanelWidgets& operator=(const PanelWidgets&) = delete;
  ~PanelWidgets() override;

  // Routes the controls' clicks, the list's choice and the trackbar's events to `panel`.
  void Connect(MainPanel& panel);
  // When set, a button's or the check box's command goes here instead of to MainPanel::Run.
  std::function<void(Command)> routeCommand;
  // Runs a change of the base file or directory from outside the panel's own
  // controls (a drop, a recent file): at once, or as the face routes it.
  void RunChange(const std::function<void()>& change) const {
    if (routeChange) return routeChange(change);
    change();
  }
  std::function<void(std::function<void()>)> routeChange;

  ScintillaDocument& sourceBox() { return *sourceBox_; }
  ScintillaDocument& previewBox() { return *previewBox_; }
  QWidget* widget(ControlId id) const { return widgets_[static_cast<std::size_t>(id)]; }

  void EnablePartButton(PartButton button, bool enabled) override;
  bool IsPartButtonEnabled(PartButton button) const override;
  bool IsOnTheFlyChecked() const override;
  void SetOnTheFlyChecked(bool checked) override;
  std::int32_t TrackbarPosition() const override;
  void SetTrackbarPosition(std::int32_t position) override;
  std::string DirectoryText() const override;
  void SetDirectoryText(const std::string& text) override;
  bool DirectoryHasFocus() const override;
  void SetTitle(const std::string& title) override;
  void SelectFontSize(int index) override;
  std::string SelectedFontSizeText() const override;

 private:
  QWidget* Create(const ControlSpec& row, QWidget* panel, DisplayCodePage codePage);
  // The panel fills the client area: the top row above the two boxes, each box with its column of buttons.
  void Arrange(QWidget* client, QWidget* panel);
  QLayout* TopRow() const;
  QLayout* Boxes() const;
  QPushButton* Button(ControlId id) const;
  QCheckBox* Check() const;
  QComboBox* FontList() const;
  QLineEdit* DirEdit() const;
  SpeedTrackbar* Trackbar() const;

  QWidget* window_;                                // not owned
  std::array<QWidget*, kControlCount> widgets_{};  // owned by their Qt parents
  std::unique_ptr<ScintillaDocument> sourceBox_;
  std::unique_ptr<ScintillaDocument> previewBox_;
};

}  // namespace plinvaro::qt
