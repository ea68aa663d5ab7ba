// SPDX-License-Identifier: MIT
#pragma once

#include "window/message_boxes.h"

namespace torvelin {

class QtMessageBoxes final : public MessageBoxes {
public:
    void ShowMessage(const QString& text) override;
    void ShowError(int number, const QString& description) override;
};

// The text of the error box, for example "エラー 6\nオーバーフローしました。".
QString ErrorText(int number, const QString& description);

}  // namespace torvelin
