#include "shell/Shell.h"

#include "shell/MessageWindows.h"

namespace karven {

Shell::Shell(Season& season, Platform& platform, Random& random)
    : season(season), platform(platform), random(random) {}

Shell::~Shell() = default;

FrmMsgOk& Shell::msgOk() {
    if (!msgOk_) msgOk_ = std::make_unique<FrmMsgOk>(*this);
    return *msgOk_;
}

FrmMsgOkCancel& Shell::msgOkCancel() {
    if (!msgOkCancel_) msgOkCancel_ = std::make_unique<FrmMsgOkCancel>(*this);
    return *msgOkCancel_;
}

FrmKarvenMsg& Shell::msgComment() {
    if (!msgComment_) msgComment_ = std::make_unique<FrmKarvenMsg>(*this);
    return *msgComment_;
}

} // namespace karven
