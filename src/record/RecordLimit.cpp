#include "record/RecordLimit.h"

namespace {

constexpr const char* kWhereToRaise = "最大保存件数は「基本設定」タブで変更できます。";

std::string Records(long long n)
{
    return GroupedNumber(n) + " 件";
}

} // namespace

unsigned RecordsDroppedByAddition(unsigned stored, int limit)
{
    if (limit <= 0 || stored < static_cast<unsigned>(limit))
        return 0;
    return stored + 1 - static_cast<unsigned>(limit);
}

bool LogIsFull(unsigned stored, int limit)
{
    return limit > 0 && stored >= static_cast<unsigned>(limit);
}

std::string GroupedNumber(long long n)
{
    const std::string digits = std::to_string(n < 0 ? -n : n);
    std::string grouped = n < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string DropQuestionText(unsigned dropped, int limit)
{
    return "最大保存件数は " + Records(limit) + "です。\nこの血圧情報を登録すると、古い血圧情報 " +
           Records(dropped) + "が削除されます。\n" + kWhereToRaise + "\n登録しますか？";
}

std::string LogFullNoticeText(int limit)
{
    return "保存されている血圧情報が最大保存件数の " + Records(limit) +
           "に達しました。\nこれからは登録するたびに、いちばん古い血圧情報が 1 件ずつ削除されます。\n" +
           kWhereToRaise;
}

std::string LimitBelowStoredText(unsigned stored, int limit)
{
    return "最大保存件数が " + Records(limit) + "になりました。\nいま保存されている血圧情報は " +
           Records(stored) + "です。\n次に起動したあと最初に登録するとき、古い血圧情報 " +
           Records(RecordsDroppedByAddition(stored, limit)) + "が削除されます。";
}
