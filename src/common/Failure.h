#pragma once
#include <stdexcept>
#include <string>

inline namespace zz {

// An error that ends the handler it happens in. The error boundary shows its text in the
// application error box and the application goes on. Texts are UTF-8.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& text) : std::runtime_error(text) {}
};

} // namespace zz
