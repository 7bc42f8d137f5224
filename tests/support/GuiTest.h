#pragma once
#include "common/Desktop.h"
#include "common/MessageSink.h"

#include <QString>
#include <Qt>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QWidget;

inline namespace zz {

class StringGrid;

// The button below `root` whose text (without '&') is `text`; fails the test when absent.
QAbstractButton* Button(QWidget* root, const QString& text);

// The widget below `root` whose accessible name is `name`, of type T; null when absent.
QWidget* ByAccessibleName(QWidget* root, const QString& name);
template <typename T>
T* Find(QWidget* root, const QString& accessibleName)
{
    return qobject_cast<T*>(ByAccessibleName(root, accessibleName));
}

// Types into a grid cell as a person would: moves the cursor there, types (which opens the
// cell's editor) and presses Enter, which stores the text and moves to the next cell. An empty
// text presses Delete, which empties the cell.
void TypeIntoCell(StringGrid* grid, int column, int row, const QString& text);

// Shows the window and waits until it is the active window, so that keys go where its focus is.
void ShowActive(QWidget* window);
// The widget that has the keyboard focus: the focused widget of the active window.
QWidget* Focused();
// Presses a key on the focused widget, as the keyboard does.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types the text key by key on whatever widget has the focus at each key (typing on a grid
// opens its cell editor, which takes the next keys).
void Type(const QString& text);

// Runs `whileOpen` as soon as a modal window is open and returns after `open` (which shows
// it with exec) has returned. `whileOpen` receives the modal window and must close it.
void WhileModal(const std::function<void()>& open, const std::function<void(QWidget* modal)>& whileOpen);

// Desktop services whose dialogs answer from a script and which record links and programs.
class ScriptedDesktop : public Desktop {
public:
    std::deque<std::optional<std::string>> folders; // answers of PickFolder, in order
    std::deque<std::optional<std::string>> files;   // answers of PickOpenFile, in order
    struct Dialog {
        std::string title, directory, filterOrPreselected;
    };
    std::vector<Dialog> dialogs;
    std::vector<std::string> links;
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingDirectory;
    };
    std::vector<Start> started;
    bool startSucceeds = true;
    bool lastStartedRunning = false; // what LastStartedRunning answers

    std::optional<std::string> PickFolder(const std::string& title, const std::string& root,
                                          const std::string& preselected) override;
    std::optional<std::string> PickOpenFile(const std::string& title, const std::string& directory,
                                            const std::string& filter) override;
    void OpenLink(const std::string& address) override;
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override;
    bool LastStartedRunning() override { return lastStartedRunning; }
};

} // namespace zz
