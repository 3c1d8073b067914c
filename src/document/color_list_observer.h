#pragma once
// Notifications of a ColorList to the views that show it.

#include "base/observer_list.h"

namespace vorbel::document {

// Who made a selection. A list widget raises its "picked" events only for the
// user; a selection set by the program must stay silent.
enum class SelectionSource { Program, User };

class ColorListObserver {
 public:
  virtual ~ColorListObserver() = default;

  // Entries were added, removed, re-ordered or replaced. The selected index may
  // have moved with its entry; read it again.
  virtual void ColorEntriesChanged() {}
  // The selected index changed (including to -1).
  virtual void ColorSelectionChanged(SelectionSource /*source*/) {}
  // The swatch width changed; the entries need repainting.
  virtual void ColorWidthChanged() {}
};

// An observer's hold on a colour list: it is told while this lasts.
using ColorListSubscription = base::ObserverList<ColorListObserver>::Subscription;

}  // namespace vorbel::document
