#pragma once
// The random button: a new document of random size with an optional random
// background, an optional random bevel and always a random text layer.
// Toolkit-free: the random property strings come from the editors through
// RandomLayerSource.

#include <string>

namespace vorbel::document {
class ButtonDocument;
}  // namespace vorbel::document

namespace vorbel::commands {

// An editor that can make a random property string of its layer kind. Making
// one may move the editor's controls to match; they keep those states.
class RandomLayerSource {
 public:
  virtual ~RandomLayerSource() = default;
  virtual std::string RandomProperties() = 0;
};

enum class RandomSeeding {
  FromClock,  // seed the shared generator from the clock first (the command)
  Keep,       // go on with the generator as it is (tests, reproducible output)
};

// Replaces `doc` by a random button, drawing from the shared generator in this
// order: the height (up to three draws of 0..75, 30 when all are below 30),
// the width (up to three draws of 0..130, 80 when all are below 50), whether
// to add a background (0..4, 2 or more), its properties, whether to add a
// bevel (0..1, 1), its properties, then the text layer's properties. All rows
// of the document go first and the caption becomes the untitled one, as the
// New command does; the work area and the border are left as they are. The
// new rows are visible and have empty offsets; no image layer is ever made.
// Redrawing is the caller's.
void RandomButton(document::ButtonDocument& doc, RandomLayerSource& background, RandomLayerSource& bevel,
                  RandomLayerSource& text, RandomSeeding seeding = RandomSeeding::FromClock);

// The two size draws on their own (exposed for tests of their bounds).
int RandomButtonHeight();
int RandomButtonWidth();

}  // namespace vorbel::commands
