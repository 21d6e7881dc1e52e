#pragma once
// The standard dialogs a window offers: message boxes, the colour dialog, open and save dialogs.
// Each is modal and blocks the GUI thread until the user answers.

#include <cstdint>
#include <optional>
#include <string>

namespace ports {

enum class MessageBoxIcon { None, Information, Exclamation, Error };

// Which button ended a message box.
enum class MessageBoxAnswer { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageBoxAnswer Show(const std::wstring& text, const std::wstring& caption, MessageBoxIcon icon) = 0;
};

class ColourDialog {
public:
    virtual ~ColourDialog() = default;
    // The chosen colour (0x00BBGGRR), or nothing when the user cancels.
    virtual std::optional<std::uint32_t> Choose(std::uint32_t initial) = 0;
};

struct FileDialogRequest {
    std::wstring filter;           // pairs separated by '|': "Profiles (*.ini)|*.ini"
    std::wstring defaultExtension; // without the dot
    std::wstring initialFolder;
    std::wstring fileName; // proposed name
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::wstring> ChooseFileToOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> ChooseFileToSave(const FileDialogRequest& request) = 0;
};

} // namespace ports
