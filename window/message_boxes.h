// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace torvelin {

// The message boxes the window shows. Both are modal to the whole program and
// return when the user has dismissed them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // The text, an OK button only, no icon, titled with the application name.
    virtual void ShowMessage(const QString& text) = 0;
    // The error box: the error's number and its short description.
    virtual void ShowError(int number, const QString& description) = 0;
};

}  // namespace torvelin
