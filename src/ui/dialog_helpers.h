#pragma once
// Small pieces every dialog of the program shares: the fixed dialog frame,
// centring on the screen, hints and the background of fields that follow a
// check box.

#include <QIcon>
#include <QMetaObject>
#include <QString>

#include <functional>
#include <vector>

#include "commands/export.h"
#include "document/button_document.h"

class QBoxLayout;
class QDialog;
class QLabel;
class QLayout;
class QPushButton;
class QToolButton;
class QWidget;

namespace vorbel::controls {
class SpinEdit;
}  // namespace vorbel::controls

namespace vorbel::ui {

// A dialog frame with a title and a close box only, laid out by `layout`
// (which becomes the dialog's): its size follows what the layout needs in
// the font, language and screen at hand, and the user does not resize it.
void MakeFixedDialog(QDialog& dialog, const QString& caption, QLayout* layout);

// A label named `name` for `buddy`, whose mnemonic moves the focus to it; a
// screen reader announces the buddy by the label's text.
QLabel* MakeBuddyLabel(const QString& text, QWidget* parent, const char* name, QWidget* buddy);

// A row with the editor's OK (the default button) and Cancel at its right
// end.
QBoxLayout* MakeOkCancelRow(QPushButton* ok, QPushButton* cancel);

// The button named "chooseImageButton" beside a picture's file name, which
// opens the picture chooser: reachable with Tab and named for screen
// readers.
QToolButton* MakeChooseButton(QWidget* parent);

// The accessible name of a control that has no label of its own, and its
// description where the name is not enough.
void Describe(QWidget& control, const QString& name, const QString& description = {});

// A small square of the colour (a system colour as it shows now), for the
// items of a colour list.
QIcon ColorSwatch(base::Color color);

// What a format without partial transparency does with the document's matte
// (its name among the standard colours, else its #rrggbb), as a sentence for
// an export dialog; empty for a format that keeps every level of alpha, and
// for GIF when the button has no smooth edges (its transparent pixels stay
// transparent).
QString MatteNote(const document::ButtonDocument& doc, commands::ExportFormat format);

// Moves a top-level window to the centre of the screen it is on (the primary
// screen when it has none yet).
void CenterOnScreen(QWidget& window);

// A hint in the form "short|long". The short part becomes the tool tip; when
// it is empty the long part is shown there instead, so that the hint is not
// lost in a dialog without a status bar. The long part is also the status tip.
void SetHint(QWidget& widget, const QString& hint);

// Enables or disables a field and gives it the window background when
// enabled and the button-face background when disabled.
void SetFieldEnabled(QWidget& field, bool enabled);

// Makes a spin edit read its text as every integer of the program is read:
// leading blanks skipped, hexadecimal after "$", "x" or "0x". A value loaded
// from a property string as " 45" or "$2D" then counts as 45 in the dialog
// too, as it does where the layer is drawn.
void ReadProgramIntegers(controls::SpinEdit& edit);

// The "Cancel" button of an editor: it closes the dialog with Rejected, as
// Esc and the close box do.
QPushButton* MakeCancelButton(QDialog& dialog, QWidget* parent);

// Calls `changed` after every change the user makes to a control of `dialog`:
// texts, check boxes, radio and tool buttons, lists, colour boxes and spin
// edits, for as long as the watch lasts. Changes made by code count as well.
class ControlWatch {
 public:
  ControlWatch(QWidget& dialog, const std::function<void()>& changed);
  ~ControlWatch();
  ControlWatch(const ControlWatch&) = delete;
  ControlWatch& operator=(const ControlWatch&) = delete;

 private:
  std::vector<QMetaObject::Connection> connections_;
};

// Draws the style's focus mark round `widget` (call it from its paint event
// while it has the focus), however the focus came: some styles draw the mark
// only after keyboard navigation otherwise, while a field always shows its
// focus.
void DrawFocusMark(QWidget& widget);

// Gives the keyboard focus to the first control, in tab order, of the
// dialog's current page (of the dialog itself when it has no pages), as the
// Tab key would, so that the control shows its focus as soon as the dialog
// is up.
void FocusFirstControl(QDialog& dialog);

}  // namespace vorbel::ui
