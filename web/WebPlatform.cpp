#include "WebPlatform.h"

#include <emscripten.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "FormJson.h"
#include "JsonText.h"
#include "season/Translate.h"
#include "session/Autosave.h"
#include "shell/Form.h"

namespace {
// The page's side: karvenPage in binder.js.
EM_JS(void, PageRender, (const char* json), { Module.karvenPage.render(UTF8ToString(json)); });
EM_JS(void, PageCloseForm, (const char* name), { Module.karvenPage.closeForm(UTF8ToString(name)); });
EM_JS(void, PageStatus, (const char* text), { Module.karvenPage.status(UTF8ToString(text)); });
EM_JS(bool, PageLettersNeedAlt, (), { return Module.karvenPage.lettersNeedAlt(); });
EM_JS(void, PageSetLettersNeedAlt, (bool on), { Module.karvenPage.setLettersNeedAlt(!!on); });
EM_JS(int, PageTextSize, (), { return Module.karvenPage.textSize(); });
EM_JS(void, PageSetTextSize, (int percent), { Module.karvenPage.setTextSize(percent); });
EM_JS(void, PageLanguage, (const char* code), { Module.karvenPage.language(UTF8ToString(code)); });
EM_JS(void, PageUnsaved, (bool unsaved), { Module.karvenPage.unsaved = !!unsaved; });
EM_JS(void, PageDownload, (const char* path, const char* name), {
    Module.karvenPage.download(UTF8ToString(path), UTF8ToString(name));
});
EM_ASYNC_JS(char*, PageNextEvent, (), {
    const text = await Module.karvenPage.nextEvent();
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
EM_ASYNC_JS(void, PageWarning, (const char* text), { await Module.karvenPage.warning(UTF8ToString(text)); });
// The chosen file copied into the page's file system; its path there, "" when cancelled.
EM_ASYNC_JS(char*, PageOpenFile, (const char* accept), {
    const text = await Module.karvenPage.openFile(UTF8ToString(accept));
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});

// The player's CSV files copied into a fresh folder; its path, "" when cancelled.
EM_ASYNC_JS(char*, PagePickFiles, (const char* folder, const char* accept), {
    const text = await Module.karvenPage.pickFiles(UTF8ToString(folder), UTF8ToString(accept));
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
// The autosaves new in the folder stored in IndexedDB, in the background.
EM_JS(void, PageStoreAutosaves, (), { Module.karvenPage.storeAutosaves(); });
// A season file dropped on the page is opened by the next ﾌｧｲﾙ → 開く only.
EM_JS(void, PageForgetDrop, (), { Module.karvenPage.forgetDrop(); });
EM_JS(void, PageEnded, (const char* json), { Module.karvenPage.ended(UTF8ToString(json)); });
// The request's bytes as they are (a season file is not UTF-8); the page's number of the job.
EM_JS(int, PageStartBackground, (const char* bytes, int size), {
    return Module.karvenPage.startBackground(HEAPU8.slice(bytes, bytes + size));
});
EM_JS(void, PageStopBackground, (), { Module.karvenPage.stopBackground(); });

std::string Take(char* text) {
    std::string out(text);
    free(text);
    return out;
}

// Named as the browser names the folder its downloads go to: the game tells the player of it.
const char* const DownloadFolder = "/Downloads/";
const char* const ImportFolder = "/import";

// "description|*.krv;*.sin|..." as the accept attribute of a file input: ".krv,.sin".
std::string AcceptOf(const std::string& filter) {
    std::string accept;
    size_t field = 0, start = 0;
    for (size_t i = 0; i <= filter.size(); ++i) {
        if (i < filter.size() && filter[i] != '|') continue;
        if (field % 2 == 1) {
            std::string patterns = filter.substr(start, i - start);
            size_t p = 0;
            while (p <= patterns.size()) {
                size_t end = patterns.find(';', p);
                if (end == std::string::npos) end = patterns.size();
                std::string pattern = patterns.substr(p, end - p);
                if (pattern.rfind("*.", 0) == 0 && pattern != "*.*") accept += (accept.empty() ? "" : ",") + pattern.substr(1);
                p = end + 1;
            }
        }
        ++field;
        start = i + 1;
    }
    return accept;
}
} // namespace

namespace karven::web {

void WebPlatform::RefreshAll() {
    if (main_ && mainShown_) PageRender(FormJson(*main_, false).c_str());
    for (Form* form : running_) PageRender(FormJson(*form, true).c_str());
    // A focus request and an announcement are told once.
    if (main_ && mainShown_) main_->focusRequest.clear(), main_->announcements.clear();
    for (Form* form : running_) form->focusRequest.clear(), form->announcements.clear();
    PageUnsaved(unsavedWork && unsavedWork());
}

void WebPlatform::RunModal(Form& form) {
    if (ended_) return;
    running_.push_back(&form);
    // What a command wrote before telling the player ("exported") is downloaded as it is told.
    HandOverDownloads();
    RefreshAll();
    while (!form.IsClosed() && !ended_) RunOnce();
    running_.pop_back();
    PageCloseForm(form.Name().c_str());
}

bool WebPlatform::RunOnce() {
    if (ended_) return false;
    Dispatch(Take(PageNextEvent()));
    // Back in the main window's loop: a dropped file that no ﾌｧｲﾙ → 開く took is not opened later.
    if (running_.empty()) PageForgetDrop();
    HandOverDownloads();
    StoreAutosaves();
    RefreshAll();
    return !ended_;
}

void WebPlatform::StoreAutosaves() {
    // Every autosave takes a new name: the list of names changes when one was written (or when
    // the page brought another tab's into the folder, which the page then finds nothing new in).
    std::vector<std::string> names = ListAutosaves(AutosaveFolder());
    if (names == storedAutosaves_) return;
    storedAutosaves_ = std::move(names);
    PageStoreAutosaves();
}

Form* WebPlatform::Target(const std::string& name) {
    Form* top = running_.empty() ? main_ : running_.back();
    return top && top->Name() == name ? top : nullptr;
}

static std::vector<std::string> Fields(const std::string& event) {
    std::vector<std::string> f;
    size_t start = 0;
    for (size_t i = 0; i <= event.size(); ++i) {
        if (i < event.size() && event[i] != '\t') continue;
        f.push_back(event.substr(start, i - start));
        start = i + 1;
    }
    return f;
}

void WebPlatform::StartBackground(BackgroundJob job) {
    StopBackground();
    if (ended_) return;
    background_ = std::move(job);
    backgroundId_ = PageStartBackground(background_->request.data(), int(background_->request.size()));
}

void WebPlatform::StopBackground() {
    if (!background_) return;
    background_.reset();
    backgroundId_ = 0;
    PageStopBackground();
}

bool WebPlatform::HearBackground(const std::string& event) {
    const bool answer = event.rfind("background\t", 0) == 0, failed = event.rfind("background-failed\t", 0) == 0;
    if (!answer && !failed) return false;
    const size_t idAt = event.find('\t') + 1, end = event.find('\t', idAt);
    const int id = std::atoi(event.substr(idAt, end == std::string::npos ? std::string::npos : end - idAt).c_str());
    if (!background_ || id != backgroundId_) return true; // an answer of a job stopped since
    if (failed) {
        const std::function<void()> told = background_->failed; // a copy: it may stop the job
        background_.reset();
        backgroundId_ = 0;
        if (told) told();
        return true;
    }
    const BackgroundJob::Tell heard = background_->heard;
    if (heard && end != std::string::npos) heard(event.substr(end + 1));
    return true;
}

// "kind\tform\tcontrol\tindex\tvalue": a click, a changed text or choice, a focus, or the close box.
void WebPlatform::Dispatch(const std::string& event) {
    if (HearBackground(event)) return;
    std::vector<std::string> f = Fields(event);
    f.resize(5);
    Form* form = Target(f[1]);
    if (!form || form->IsClosed()) return;
    if (f[0] == "close") {
        form->QueryClose();
        return;
    }
    Control* c = form->Find(f[2], f[3].empty() ? -1 : std::stoi(f[3]));
    if (!c || !c->enabled) return;
    std::function<void()> handler;
    if (f[0] == "click") {
        handler = c->onClick;
    } else if (f[0] == "select") { // a list's or a table's row, a drop-down's item
        c->listIndex = f[4].empty() ? -1 : std::stoi(f[4]);
        if (c->kind == ControlKind::ComboBox && c->listIndex >= 0 && size_t(c->listIndex) < c->items.size())
            c->text = c->items[size_t(c->listIndex)];
        handler = c->onClick;
    } else if (f[0] == "check") { // a chart's legend entry checked or not: "entry on"
        const size_t space = f[4].find(' ');
        const size_t entry = size_t(std::atoi(f[4].c_str()));
        if (space != std::string::npos && entry < c->checks.size()) c->checks[entry] = f[4].substr(space + 1) == "1";
        handler = c->onChange;
    } else if (f[0] == "edit") {
        c->text = f[4];
        handler = c->onChange;
    } else if (f[0] == "focus") {
        handler = c->onGotFocus;
    } else if (f[0] == "blur") {
        handler = c->onLostFocus;
    }
    if (handler) handler(); // a copy: the handler may rewire the control
}

void WebPlatform::ShowEnded() {
    ended_ = true;
    running_.clear();
    const std::vector<std::string> saves = ListAutosaves(AutosaveFolder());
    JsonObject texts;
    texts.Str("title", Tr("KARVEN を終了しました。"));
    texts.Str("text", Tr(saves.empty() ? "もう一度遊ぶときは、新しいシーズンを始めてください。"
                                       : "もう一度遊ぶときは、新しいシーズンを始めるか、最後の自動保存から続けてください。"));
    texts.Str("again", Tr("新しいシーズンを始める(&N)"));
    if (!saves.empty()) texts.Str("resume", TrF("最後の自動保存から続ける(&A)：{1}", AutosaveTime(saves.front())));
    PageEnded(texts.Text().c_str());
}

void WebPlatform::ShowWarning(const std::string& text) { PageWarning(text.c_str()); }

void WebPlatform::ShowStatus(const std::string& text) { PageStatus(text.c_str()); }

void WebPlatform::LanguageChosen(Language language) { PageLanguage(LanguageCode(language)); }

int WebPlatform::TextSize() { return PageTextSize(); }

void WebPlatform::SetTextSize(int percent) { PageSetTextSize(percent); }

bool WebPlatform::LetterKeysNeedAlt() { return PageLettersNeedAlt(); }

void WebPlatform::SetLetterKeysNeedAlt(bool on) { PageSetLettersNeedAlt(on); }

std::string WebPlatform::ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) {
    if (mode == FileDialogMode::Open) return Take(PageOpenFile(AcceptOf(filter).c_str()));
    // Saved into the page's own folder, then handed to the player as a download.
    std::filesystem::create_directories(DownloadFolder);
    std::string name = std::filesystem::path(fileName).filename().string();
    if (name.empty()) {
        std::string accept = AcceptOf(filter);
        name = "karven" + (accept.empty() ? std::string(".krv") : accept.substr(0, accept.find(',')));
    }
    return DownloadFolder + name;
}

std::string WebPlatform::SaveInPlacePath(const std::string& seasonFile) {
    std::error_code error;
    std::filesystem::create_directories(DownloadFolder, error);
    return DownloadFolder + std::filesystem::path(seasonFile).filename().string();
}

std::string WebPlatform::ChooseFolder(const std::string& /*caption*/, FolderUse use) {
    std::error_code error;
    if (use == FolderUse::Read) {
        std::filesystem::remove_all(ImportFolder, error);
        std::filesystem::create_directories(ImportFolder, error);
        if (error) return {};
        return Take(PagePickFiles(ImportFolder, ".csv,text/csv"));
    }
    // The download folder: what is written there goes to the player as the command tells of it.
    std::filesystem::create_directories(DownloadFolder, error);
    if (error) return {};
    std::string folder = DownloadFolder;
    folder.pop_back();
    return folder;
}

void WebPlatform::HandOverDownloads() {
    std::error_code error;
    if (!std::filesystem::is_directory(DownloadFolder, error)) return;
    for (const auto& entry : std::filesystem::directory_iterator(DownloadFolder, error)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        // The writer's temporary file is no save until it has taken the target's name.
        if (name.starts_with('.')) continue;
        PageDownload(entry.path().c_str(), name.c_str());
        std::filesystem::remove(entry.path(), error);
    }
}

// A picture of the game is a bitmap, whatever its extension; the site carries each as PNG beside
// its name ("go01.bmp.png"), and the page draws whichever is there.
PictureState WebPlatform::CheckPicture(const std::string& path) {
    auto starts = [](const std::string& file, std::string_view mark) {
        std::ifstream in(file, std::ios::binary);
        if (!in) return PictureState::Missing;
        std::string head(mark.size(), '\0');
        in.read(head.data(), std::streamsize(head.size()));
        return head == mark ? PictureState::Loaded : PictureState::Unreadable;
    };
    PictureState bitmap = starts(path, "BM");
    if (bitmap != PictureState::Missing) return bitmap;
    return starts(path + ".png", "\x89PNG\r\n\x1a\n");
}

} // namespace karven::web
