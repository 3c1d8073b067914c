#pragma once
// The base of every error the program raises on purpose.
//
// A vorbel::base::Error says that the input or the system refused something:
// a text that is no number, a font that cannot be made, a picture or file
// that cannot be read or written. Its message is ready to show. Code that
// goes on after a failure (the render pass skips a layer, the window shows an
// error box) catches Error and std::bad_alloc; any other exception is a
// programming error (see unexpected_error.h).

#include <stdexcept>

namespace vorbel::base {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vorbel::base
