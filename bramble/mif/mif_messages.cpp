// The messages of the MIF generation (code page 932 at run time).
#include "bramble/mif/mif_files.h"

namespace bramble {

int MifMessageId(const MifRunResult& result)
{
    if (result.outcome == MifRunOutcome::kBadProtoMif) {
        MifGenStatus s = result.generation.status;
        // A section without its end, or one that runs too long, has its own
        // message; a section closed by another marker just fails.
        return s == MifGenStatus::kSectionTooLong || s == MifGenStatus::kUnterminatedSection ? 2000 : 0;
    }
    if (result.outcome != MifRunOutcome::kFileError)
        return 0;
    switch (result.cause) {
        case MifFileCause::kGeneric: return 114;
        case MifFileCause::kFileNotFound: return 115;
        case MifFileCause::kBadPath: return 116;
        case MifFileCause::kTooManyOpenFiles: return 117;
        case MifFileCause::kAccessDenied: return 118;
        case MifFileCause::kInvalidHandle: return 119;
        case MifFileCause::kBadSeek: return 120;
        case MifFileCause::kHardwareIo: return 121;
        case MifFileCause::kSharingViolation: return 122;
        case MifFileCause::kLockViolation: return 123;
        default: return 0;  // directory full, disk full, end of file, current directory
    }
}

const char* MifMessageText(int id)
{
    switch (id) {
        case 114:
            return "proto-MIF か MIF fileのOPENでエラーが発生しました．"
                   "問題修正後プログラムを再起動してください．";
        case 115:
            return "PCMIF.CORVANEが見つかりません．HELMSETをインストールしたディレクトリ\\db\\mifsにPCMIF."
                   "CORVANEがあることを確認してください．";
        case 116: return "誤ったパスが生成されているため、MIFファイルをOPENできません．";
        case 117:
            return "OPENされているファイル数が多すぎるため、MIFファイルをOPENできません．ファイルを閉じた後、"
                   "再度プログラムを実行してください．";
        case 118:
            return "MIFファイルへのアクセスが拒否されました．"
                   "適切なattributesが設定されていることを確認のうえ、プログラムを再度実行してください．";
        case 119: return "プログラムが不正なファイルハンドルを使用しました．";
        case 120: return "MIFファイルのOPEN中、DISKエラーが発生しました．";
        case 121: return "MIFファイルのOPEN中、ハードウェアエラーが発生しました．";
        case 122: return "MIFファイルへのアクセス中、ファイルの共有に関する障害が発生しました．";
        case 123: return "MIFファイルへのアクセス中、ファイルの排他制御に関する障害が発生しました．";
        case 2000: return "内部エラー：proto-MIF file中に終了コードのない文字列が発見されました．";
        default: return "";
    }
}

}  // namespace bramble
