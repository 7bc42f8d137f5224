#pragma once
#include <optional>
#include <stdexcept>
#include <string>

inline namespace zz {

// What went wrong and, where it lies in a project, the place: the document's file name, the
// row as its editor numbers it and the element or attribute.
struct DocumentProblem {
    std::string Document;   // "Receive_Info.xml"; empty when the problem is in no document
    std::optional<int> Row; // from 1; none when not about a row
    std::string Field;      // "COBID", "B3", "Net_In"; may be empty
    std::string Text;       // the message, as the user reads it

    bool operator==(const DocumentProblem&) const = default;
};

// An error that ends the handler it happens in. The error boundary shows its text in the
// application error box and the application goes on. Texts are UTF-8.
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& text)
        : std::runtime_error(text)
    {
        problem_.Text = text;
    }
    explicit Failure(DocumentProblem problem)
        : std::runtime_error(problem.Text),
          problem_(std::move(problem))
    {
    }

    // The message with its place; Text is what() says.
    const DocumentProblem& Problem() const { return problem_; }

private:
    DocumentProblem problem_;
};

} // namespace zz
