#pragma once
// Notifications of a ButtonDocument to the views that show it (the spin edits,
// the work-area picker, the layer list, the caption).

#include "base/observer_list.h"

namespace vorbel::document {

// The button settings that SettingsChanged reports.
enum class DocumentSetting {
  Height,
  Width,
  WorkArea,
  Border,
  Caption,
  LayoutFolder,
  SetCaptions,
  Transparency,
  Smooth,
  Matte,
};

// Every notification comes after the document has changed, except the
// "about to" ones, which come before (while the old rows are still in place) so
// that a list model can bracket the change. Row indexes are 0-based.
class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;

  virtual void SettingsChanged(DocumentSetting /*setting*/) {}

  virtual void RowAboutToBeInserted(int /*row*/) {}
  virtual void RowInserted(int /*row*/) {}
  virtual void RowAboutToBeRemoved(int /*row*/) {}
  virtual void RowRemoved(int /*row*/) {}
  // Rows `first` and `first + 1` exchanged their whole contents.
  virtual void RowsExchanged(int /*first*/) {}
  // The Type, a sub-item or the image index of one row changed.
  virtual void RowChanged(int /*row*/) {}
  // All rows are about to be removed or replaced / have been.
  virtual void RowsAboutToBeReset() {}
  virtual void RowsReset() {}

  // The selected row index changed (-1 for none); also sent when removing an
  // earlier row shifts the index of the selected one.
  virtual void SelectionChanged(int /*previous*/, int /*current*/) {}
};

// An observer's hold on a document: it is told while this lasts.
using DocumentSubscription = base::ObserverList<DocumentObserver>::Subscription;

}  // namespace vorbel::document
