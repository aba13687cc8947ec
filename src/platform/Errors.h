// The few errors that end an operation and reach the user: the top-level handler around every
// message, timer and menu dispatch shows their text in a message box and the program goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace fg {

class TUserError : public std::runtime_error {
  public:
    explicit TUserError(std::wstring text)
        : std::runtime_error("Farrowglimmer error"), message(std::move(text)) {}
    const std::wstring& Message() const { return message; }

  private:
    std::wstring message;
};

} // namespace fg
