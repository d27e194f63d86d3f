// The message for a data file that could not be written names the file, the system's reason
// and the advice that fits it.
#include "store/WriteFailure.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(WriteFailureTest, NamesTheFileTheReasonAndTheAdviceThatFits)
{
    struct Case
    {
        int error;
        const char* reason;
        const char* advice;
    };
    for (const Case& c : {
             Case{EROFS, "（読み取り専用のファイルシステムです）", "書き込みのできるドライブやフォルダー"},
             Case{ENOSPC, "（ディスクの空き容量が足りません）", "不要なファイルを削除して"},
             Case{EIO, "入出力エラー", "ディスクやネットワークの接続に異常がないか"},
             Case{EACCES, "（書き込みの権限がありません）", "書き込みの権限を確認してください"},
             Case{EEXIST, "「~tempfile」を作れません", "「~tempfile」という名前のフォルダーを削除"},
             Case{9999, "（エラー番号 9999）", "ディスクの空き容量と書き込みの権限を確認してください。"},
         }) {
        const std::string text = WriteFailureText("data.txt", c.error);
        EXPECT_EQ(text.rfind("data.txt に書き込めません", 0), 0u) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_NE(text.find(c.advice), std::string::npos) << text;
    }
    // Without a known reason, the advice is the general one it always was.
    EXPECT_EQ(WriteFailureText("setting.txt", 0),
              "setting.txt に書き込めません。ディスクの空き容量と書き込みの権限を確認してください。");
}

} // namespace
