// Every text the program shows or writes, in one place. The sources are UTF-8; the compiler
// stores narrow literals as code page 932 bytes. The error texts are UTF-16: a name put into
// one may hold any character, and the error box shows them through the W functions.
#pragma once

namespace qm::texts {

inline constexpr char kCaption[] = "Quillmoor";
inline constexpr char kMutexName[] = "QuillmoorMW";
inline constexpr char kWindowClass[] = "TQuillmoorMW";

inline constexpr char kGroupRunList[] = "実行リスト";
inline constexpr char kLabelApp[] = "アプリ選択";
inline constexpr char kButtonAddFile[] = "ファイル追加";
inline constexpr char kButtonAddFolder[] = "フォルダ追加";
inline constexpr char kButtonClear[] = "クリア";
inline constexpr char kButtonRun[] = "実行";
inline constexpr char kCheckClear[] = "実行したらリストをクリアする";
inline constexpr char kCheckQuit[] = "実行したら終了する";
inline constexpr char kFontFace[] = "ＭＳ Ｐゴシック";

inline constexpr char kMenuPaste[] = "貼り付け(&V)";
inline constexpr char kMenuDelete[] = "クリア";
inline constexpr char kMenuClearAll[] = "オールクリア";
inline constexpr char kMenuSelectAll[] = "全て選択";
inline constexpr char kMenuInvert[] = "選択反転";

inline constexpr char kOpenFilter[] = "全てのファイル|*.*";
inline constexpr char kBrowseTitle[] = "フォルダの選択";

inline constexpr char kNoIniNotice[] = "INIファイルを記述して下さい";
inline constexpr char16_t kErrCannotWrite[] = u"%s に書き込めません";
inline constexpr char16_t kErrClipboard[] = u"クリップボードを開くことができません";
inline constexpr char16_t kErrInsertLine[] = u"行を挿入できません";
inline constexpr char16_t kErrListIndex[] = u"リストのインデックスが範囲を超えています (%d)";
inline constexpr char16_t kErrCannotStart[] = u"%s を起動できません";

}  // namespace qm::texts
