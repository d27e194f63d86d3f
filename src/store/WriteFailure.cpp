#include "store/WriteFailure.h"

#include <cerrno>

namespace {

struct Explanation
{
    const char* reason; // null: no reason the user would understand
    const char* advice;
};

constexpr const char* kGeneralAdvice = "ディスクの空き容量と書き込みの権限を確認してください。";

Explanation Explain(int error)
{
    switch (error) {
    case EROFS:
        return {"読み取り専用のファイルシステムです",
                "書き込みのできるドライブやフォルダーに置くか、書き込みのできる状態でつなぎ直してください。"};
    case ENOSPC:
        return {"ディスクの空き容量が足りません",
                "不要なファイルを削除して、ディスクの空き容量を増やしてください。"};
    case EDQUOT:
        return {"ディスクの使用量の上限を超えています",
                "不要なファイルを削除するか、使用量の上限を管理者に確認してください。"};
    case EIO:
        return {"ディスクの読み書きでエラーが起きました（入出力エラー）",
                "ディスクやネットワークの接続に異常がないか確認してください。"};
    case EACCES:
    case EPERM:
        return {"書き込みの権限がありません", "ファイルとフォルダーへの書き込みの権限を確認してください。"};
    case ENOENT:
    case ENOTDIR:
        return {"ファイルのあるフォルダーが見つかりません",
                "フォルダーが移動や削除をされていないか、ネットワークのフォルダーがつながっているかを確認して"
                "ください。"};
    case ESTALE:
    case ETIMEDOUT:
    case ENOTCONN:
    case EHOSTDOWN:
    case EHOSTUNREACH:
        return {"ネットワークのフォルダーとの接続が切れています", "ネットワークの接続を確認してください。"};
    case EEXIST: // a folder stands where the temporary file must go
        return {"作業用のファイル「~tempfile」を作れません",
                "ファイルと同じフォルダーにある「~"
                "tempfile」という名前のフォルダーを削除するか、名前を変えてください。"};
    default:
        return {nullptr, kGeneralAdvice};
    }
}

} // namespace

std::string WriteFailureText(std::string_view fileName, int error)
{
    const Explanation explanation = Explain(error);
    std::string text(fileName);
    text += " に書き込めません";
    if (explanation.reason)
        text += std::string("（") + explanation.reason + "）";
    else if (error != 0)
        text += "（エラー番号 " + std::to_string(error) + "）";
    text += "。";
    text += explanation.advice;
    return text;
}
