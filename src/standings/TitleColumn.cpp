#include "standings/TitleColumn.h"

#include "season/Translate.h"

namespace karven {

std::string TitleMark(const TitleChance& chance) {
    switch (chance.status) {
    case TitleStatus::Champion: return "★";
    case TitleStatus::Contender: return chance.magicNumber > 0 ? "M" + std::to_string(chance.magicNumber) : "○";
    default: return "×";
    }
}

std::string TitleTip(const TitleChance& chance) {
    switch (chance.status) {
    case TitleStatus::Champion: return Tr("チャンピオン決定：どの結果になってもタイトルは変わりません。");
    case TitleStatus::Contender:
        if (chance.magicNumber > 0)
            return TrF("首位：あと{1}点取ればタイトル確定（マジック）。まだ逆転もありうる。", chance.magicNumber) + "\n" +
                   TrF("例：{1}", chance.text);
        return TrF("タイトルの可能性あり。例：{1}", chance.text);
    default: return TrF("タイトルの可能性なし：{1}", chance.text);
    }
}

} // namespace karven
