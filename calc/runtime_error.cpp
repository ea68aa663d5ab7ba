// SPDX-License-Identifier: MIT
#include "calc/runtime_error.h"

namespace torvelin {

std::string_view DescriptionOf(ErrorNumber number) noexcept {
    switch (number) {
        case ErrorNumber::InvalidArgument:
            return "引数が正しくありません。日付が 0100/01/01 から 9999/12/31 の範囲外です。";
        case ErrorNumber::Overflow:
            return "オーバーフローしました。経過日数は -32767 から 32768 "
                   "までの範囲で入力してください。";
        case ErrorNumber::InternalError:
            return "内部エラーが発生しました。";
        case ErrorNumber::PrinterFailed:
            return "プリンタで印刷できませんでした。";
        case ErrorNumber::NoDefaultPrinter:
            return "既定のプリンタが設定されていないため、印刷できません。";
        case ErrorNumber::PrintServiceNotAnswering:
            return "印刷サービスが応答しないため、印刷できません。"
                   "しばらくしてからもう一度印刷してください。";
    }
    return "不明なエラーです。";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : RuntimeError(number, std::string(DescriptionOf(number))) {}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

}  // namespace torvelin
