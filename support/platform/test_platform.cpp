// The scripted platform; see test_platform.h.
#include "platform/test_platform.h"

#include <QPrinter>
#include <algorithm>

namespace {

template <typename T>
T takeOr(std::deque<T>& script, T fallback) {
    if (script.empty()) {
        return fallback;
    }
    T next = std::move(script.front());
    script.pop_front();
    return next;
}

}  // namespace

QStringList TestPlatform::messages() const {
    QStringList texts;
    for (const PlatformCall& call : calls) {
        if (call.kind == PlatformCall::Kind::MessageBox) {
            texts << call.text;
        }
    }
    return texts;
}

int TestPlatform::count(PlatformCall::Kind kind) const {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [kind](const PlatformCall& c) { return c.kind == kind; }));
}

namespace {

PlatformCall callOf(PlatformCall::Kind kind, const QString& text = {}, const QString& caption = {},
                    const QString& path = {}) {
    PlatformCall call;
    call.kind = kind;
    call.text = text;
    call.caption = caption;
    call.path = path;
    return call;
}

}  // namespace

MessageAnswer TestPlatform::messageBox(const QString& text, MessageButtons buttons,
                                       MessageIcon icon, const QString& caption) {
    PlatformCall call = callOf(PlatformCall::Kind::MessageBox, text, caption);
    call.buttons = buttons;
    call.icon = icon;
    calls.push_back(call);
    return takeOr(answers, defaultAnswer(buttons));
}

QString TestPlatform::inputBox(const QString& prompt, const QString& title,
                               const QString& initialText) {
    calls.push_back(callOf(PlatformCall::Kind::InputBox, prompt, title));
    return takeOr(inputs, initialText);
}

QString TestPlatform::openFileName(const QString& filter, const QString& folder) {
    calls.push_back(callOf(PlatformCall::Kind::OpenFile, filter, {}, folder));
    return takeOr(files, QString());
}

QString TestPlatform::saveFileName(const QString& filter, const QString& defaultSuffix,
                                   const QString& suggestedPath) {
    calls.push_back(callOf(PlatformCall::Kind::SaveFile, filter, defaultSuffix, suggestedPath));
    return takeOr(files, QString());
}

std::optional<std::int32_t> TestPlatform::chooseColour(std::int32_t) {
    calls.push_back(callOf(PlatformCall::Kind::Colour));
    return takeOr(colours, std::optional<std::int32_t>());
}

void TestPlatform::beep() {
    calls.push_back(callOf(PlatformCall::Kind::Beep));
}

void TestPlatform::showHelp(const QString& helpFile) {
    calls.push_back(callOf(PlatformCall::Kind::ShowHelp, helpFile));
}

// The file the preview paints into is the page as the user would see it.
void TestPlatform::printPreview(const std::function<void(QPrinter&)>& paint) {
    calls.push_back(callOf(PlatformCall::Kind::PrintPreview, printFile));
    if (printFile.isEmpty()) {
        return;
    }
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFile);
    printer.setResolution(96);
    printer.setPageOrientation(QPageLayout::Landscape);
    paint(printer);
}

void TestPlatform::closeHelp() {
    calls.push_back(callOf(PlatformCall::Kind::CloseHelp));
}

bool TestPlatform::setting(const QString& key, bool fallback) {
    const auto found = settings.find(key);
    return found == settings.end() ? fallback : found->second;
}

void TestPlatform::keepSetting(const QString& key, bool value) {
    settings[key] = value;
}

QString TestPlatform::textSetting(const QString& key, const QString& fallback) {
    const auto found = textSettings.find(key);
    return found == textSettings.end() ? fallback : found->second;
}

void TestPlatform::keepTextSetting(const QString& key, const QString& value) {
    textSettings[key] = value;
}
