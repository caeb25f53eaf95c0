// tmTextInput.cpp -- text-entry events converted from UTF-8 characters to CP932 bytes.
#include "sys/input/tmTextInput.h"

#include <vector>

#include "platform/input/TextInput.h"
#include "platform/text/TextEncoding.h"

namespace {
platform::TextInput* g_device = nullptr;

// The UTF-8 characters of a text, one string each.
std::vector<std::string> SplitUtf8(const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

tmEditKey KeyOf(platform::EditKey k) {
    switch (k) {
        case platform::EditKey::Backspace: return tmEditKey::Backspace;
        case platform::EditKey::Delete: return tmEditKey::Delete;
        case platform::EditKey::Left: return tmEditKey::Left;
        case platform::EditKey::Right: return tmEditKey::Right;
        case platform::EditKey::Home: return tmEditKey::Home;
        case platform::EditKey::End: return tmEditKey::End;
        case platform::EditKey::Enter: return tmEditKey::Enter;
        case platform::EditKey::Escape: return tmEditKey::Escape;
        case platform::EditKey::Insert: return tmEditKey::Insert;
        case platform::EditKey::A: return tmEditKey::A;
        case platform::EditKey::C: return tmEditKey::C;
        case platform::EditKey::V: return tmEditKey::V;
        case platform::EditKey::X: return tmEditKey::X;
        default: return tmEditKey::None;
    }
}
}  // namespace

void tmTextInput::SetDevice(platform::TextInput* device) { g_device = device; }
platform::TextInput* tmTextInput::GetDevice() { return g_device; }

void tmTextInput::Start() {
    if (!g_device) return;
    if (g_device->Active())
        g_device->Discard(true);  // listening: the text stays for the field, the keys were not meant for it
    else
        g_device->Start();
}

void tmTextInput::Release() {
    if (!g_device) return;
    if (g_device->HasText())
        g_device->Discard(true);
    else
        g_device->Stop();
}

void tmTextInput::Listen() {
    if (!g_device) return;
    if (g_device->Active())
        g_device->Discard(false);
    else
        g_device->Start();
}

bool tmTextInput::HasText() { return g_device && g_device->HasText(); }

void tmTextInput::SetCaretRect(int x, int y, int width, int height) {
    if (g_device) g_device->SetCaretRect(x, y, width, height);
}

void tmTextInput::Stop() {
    if (g_device) g_device->Stop();
}

bool tmTextInput::IsActive() { return g_device && g_device->Active(); }

bool tmTextInput::Poll(tmTextEvent* out) {
    if (!g_device) return false;
    platform::TextInputEvent e;
    while (g_device->Poll(&e)) {
        *out = tmTextEvent{};
        switch (e.kind) {
            case platform::TextInputEvent::Kind::Text:
                out->kind = tmTextEvent::Kind::Text;
                out->text = platform::Utf8ToCp932(e.utf8);
                if (out->text.empty()) continue;  // nothing CP932 can hold
                return true;
            case platform::TextInputEvent::Kind::Composition: {
                // Character positions become byte offsets of the converted text;
                // a character that does not convert takes no bytes.
                out->kind = tmTextEvent::Kind::Composition;
                const std::vector<std::string> chars = SplitUtf8(e.utf8);
                const int clauseEnd = e.length > 0 ? e.start + e.length : e.start;
                for (size_t i = 0; i <= chars.size(); ++i) {
                    const int at = static_cast<int>(out->text.size());
                    if (static_cast<int>(i) == e.start) out->cursor = out->clauseStart = at;
                    if (static_cast<int>(i) == clauseEnd) out->clauseEnd = at;
                    if (i < chars.size()) out->text += platform::Utf8ToCp932(chars[i]);
                }
                const int size = static_cast<int>(out->text.size());
                if (e.start < 0 || e.start > static_cast<int>(chars.size())) out->cursor = out->clauseStart = size;
                if (clauseEnd > static_cast<int>(chars.size())) out->clauseEnd = size;
                if (out->clauseEnd < out->clauseStart) out->clauseEnd = out->clauseStart;
                return true;
            }
            case platform::TextInputEvent::Kind::Key:
                out->kind = tmTextEvent::Kind::Key;
                out->key = KeyOf(e.key);
                out->shift = e.shift;
                out->ctrl = e.ctrl;
                if (out->key == tmEditKey::None) continue;
                return true;
        }
    }
    return false;
}

std::string tmTextInput::GetClipboard() {
    return g_device ? platform::Utf8ToCp932(g_device->GetClipboard()) : std::string();
}

void tmTextInput::SetClipboard(const std::string& sjis) {
    if (g_device) g_device->SetClipboard(platform::Cp932ToUtf8(sjis));
}
