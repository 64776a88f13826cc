// Every text the program shows, and the names by which other programs find it, in one place
// and in UTF-16: the W functions show them as they are written here under every code page
// of the system (932, the UTF-8 code page 65001, 1252 ...), and no compiler is asked for an
// execution character set. The sources are UTF-8.
#pragma once

namespace qm::texts {

inline constexpr char16_t kCaption[] = u"Quillmoor";
inline constexpr char16_t kMutexName[] = u"QuillmoorMW";
inline constexpr char16_t kWindowClass[] = u"TQuillmoorMW";

inline constexpr char16_t kGroupRunList[] = u"実行リスト";
inline constexpr char16_t kLabelApp[] = u"アプリ選択";
inline constexpr char16_t kButtonAddFile[] = u"ファイル追加";
inline constexpr char16_t kButtonAddFolder[] = u"フォルダ追加";
inline constexpr char16_t kButtonClear[] = u"クリア";
inline constexpr char16_t kButtonRun[] = u"実行";
inline constexpr char16_t kCheckClear[] = u"実行したらリストをクリアする";
inline constexpr char16_t kCheckQuit[] = u"実行したら終了する";
inline constexpr char16_t kFontFace[] = u"ＭＳ Ｐゴシック";

inline constexpr char16_t kMenuPaste[] = u"貼り付け(&V)";
inline constexpr char16_t kMenuDelete[] = u"クリア";
inline constexpr char16_t kMenuClearAll[] = u"オールクリア";
inline constexpr char16_t kMenuSelectAll[] = u"全て選択";
inline constexpr char16_t kMenuInvert[] = u"選択反転";

inline constexpr char16_t kOpenFilter[] = u"全てのファイル|*.*";
inline constexpr char16_t kBrowseTitle[] = u"フォルダの選択";

inline constexpr char16_t kNoIniNotice[] = u"INIファイルを記述して下さい";
inline constexpr char16_t kErrCannotWrite[] = u"%s に書き込めません";
inline constexpr char16_t kErrClipboard[] = u"クリップボードを開くことができません";
inline constexpr char16_t kErrInsertLine[] = u"行を挿入できません";
inline constexpr char16_t kErrListIndex[] = u"リストのインデックスが範囲を超えています (%d)";
inline constexpr char16_t kErrCannotStart[] = u"%s を起動できません";
inline constexpr char16_t kErrNoMemory[] = u"メモリが足りません";
// The second line of the box for a hand-off that the run list took only in part.
inline constexpr char16_t kErrRestNotAdded[] = u"残りのパスは追加されませんでした";
// An error that nothing could catch ends the tool with this box, never the runtime's own.
inline constexpr char16_t kErrEnding[] = u"予期しないエラーのため終了します";
// What a read or a write of the settings file found beside it and left as it was.
inline constexpr char16_t kErrSideFileNotOwn[] = u"%s はこのツールのファイルではないため、そのままにしました";
inline constexpr char16_t kErrSideFileOtherForm[] =
    u"%s はこの設定ファイルの形式のものではないため、そのままにしました";
inline constexpr char16_t kErrPendingKeptAside[] =
    u"設定ファイルがその後変更されていたため、前回の終了時に書けなかった設定を %s に残しました";

// The second line under kErrCannotStart when the tool itself refuses a launch: why, and what
// to change.
inline constexpr char16_t kWhySearchSetting[] =
    u"プログラムを現在のフォルダから探さない設定にできません。プログラムをフルパスで書いてください";
inline constexpr char16_t kWhyLineTooLong[] = u"コマンドラインが 32,766 文字を超えます。リストの項目を減らしてください";
inline constexpr char16_t kWhyInterpreterLineTooLong[] =
    u"コマンド プロンプトの 1 行 8,191 文字を超えます。リストの項目を減らしてください";
inline constexpr char16_t kWhyEntryNotWhole[] =
    u"このコマンドではリストの項目がコマンド プロンプトにそのまま渡りません。コマンドの引用符や % を直してください";
inline constexpr char16_t kWhyEntryChanged[] =
    u"リストの項目にコマンド プロンプトが書き換える文字 (% や改行など) があります。その項目を除いてください";
inline constexpr char16_t kWhyInCurrentFolder[] =
    u"現在のフォルダに %s のファイルがあります。プログラムをフォルダ付きで書くか、別のフォルダから起動してください";
inline constexpr char16_t kWhyNameInDoubt[] =
    u"コマンド プロンプトが探すプログラムを確かめられません。プログラムをフォルダ付きで書いてください";

#ifdef _WIN32
// A text of this header as the W functions take it: on Windows wchar_t is a UTF-16 unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t holds UTF-16 on Windows");
inline const wchar_t* w(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
#endif

}  // namespace qm::texts
