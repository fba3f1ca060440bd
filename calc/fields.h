// What a calculation run is given: access to the eight fields by control name, and a way to
// show a message. The window supplies both; tests supply in-memory ones.
#pragma once

#include <string>
#include <string_view>

namespace calc {

/// The text fields of the calculator, addressed by control name ("txtWarp", ...).
/// A store gives back exactly the text last set.
class FieldStore {
  public:
    virtual ~FieldStore() = default;
    [[nodiscard]] virtual std::string text(std::string_view name) const = 0;
    virtual void setText(std::string_view name, const std::string& text) = 0;
};

/// Shows a text modally and returns once the user has acknowledged it.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& text) = 0;
};

}  // namespace calc
