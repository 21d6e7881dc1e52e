#pragma once
// What a page presenter draws on in a test: the main form's controls, no skin pictures, and a record of
// the lay-outs, redraws and timers it asked for; the dialogs it opens answer as scripted.

#include "panel/form/MainFormComponents.h"
#include "panel/pages/PageView.h"
#include "platform/memory/MemoryWindow.h"

#include <string>
#include <utility>
#include <vector>

namespace testing_panel {

class RecordingPageView final : public panel::PageView {
public:
    explicit RecordingPageView(const ports::FileSystem& files) : files_(files) {}

    form::Form& Form() override { return form_; }
    panel::ControlStates& States() override { return states_; }
    const panel::SkinSetting& Skin() const override { return skin; }
    const panel::LanguageSetting& Language() const override { return language_; }
    panel::SwitchLook Look() const override { return {files_, skin, language_, L"C:\\Skin\\"}; }
    bool DeviceActive() const override { return deviceActive; }
    void LayOutCurrentPage() override { ++layouts; }
    void Redraw() override { ++redraws; }
    void ShowPressed(form::Tag, bool) override {}
    void ShowWarning(const wchar_t*) override {}
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    ports::FileDialogs& FileDialogs() override { return fileDialogs; }
    void EnableTimer(const wchar_t* name, bool enabled) override { timers.emplace_back(name, enabled); }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override { return colours.Choose(initial); }

    panel::SkinSetting skin;
    bool deviceActive = true;
    int layouts = 0;
    int redraws = 0;
    std::vector<std::pair<std::wstring, bool>> timers;
    std::vector<std::wstring> messages;
    memory::ScriptedColourDialog colours;
    memory::ScriptedFileDialogs fileDialogs;

private:
    const ports::FileSystem& files_;
    form::Form form_ = form::BuildMainForm(L"Tonvio");
    panel::ControlStates states_;
    panel::LanguageSetting language_;
};

} // namespace testing_panel
