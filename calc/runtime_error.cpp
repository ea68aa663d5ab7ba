#include "calc/runtime_error.h"

namespace torvelin {

const char* DescriptionOf(ErrorNumber number) noexcept {
    switch (number) {
        case ErrorNumber::InvalidArgument:
            return "引数が正しくありません。日付が 0100/01/01 から 9999/12/31 の範囲外です。";
        case ErrorNumber::Overflow:
            return "オーバーフローしました。経過日数は -32767 から 32768 "
                   "までの範囲で入力してください。";
        case ErrorNumber::TypeMismatch:
            return "型が一致しません。日付または数値として読めない文字列です。";
    }
    return "不明なエラーです。";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : std::runtime_error(DescriptionOf(number)), number_(number) {}

}  // namespace torvelin
