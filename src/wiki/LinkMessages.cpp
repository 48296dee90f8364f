#include "wiki/LinkMessages.h"

#include <array>
#include <utility>

namespace quorvel {

namespace {

constexpr std::array<std::pair<int, const char*>, 11> kOpenFailureReasons = {{
    {2, "file not found"},
    {3, "path not found"},
    {5, "access denied"},
    {8, "not enough memory"},
    {26, "sharing violation"},
    {27, "filename association incomplete or invalid"},
    {28, "DDE request timed out"},
    {29, "DDE transaction failed"},
    {30, "DDE busy"},
    {31, "no application associated with the given filename extension"},
    {32, "dynamic-link library not found"},
}};

constexpr int kErrorBoxSeconds = 10;

}  // namespace

MessageBoxRequest MissingPageQuestion(const QString& target)
{
    MessageBoxRequest box;
    box.caption = QStringLiteral("New WikiWord");
    box.text = QStringLiteral("WikiWord \"") + target
               + QStringLiteral("\" does not exist.\r\n\r\nDo you wish to create a new page?");
    box.kind = MessageKind::Confirmation;
    box.buttons = MessageButtons::YesNo;
    box.defaultButton = MessageButton::No;
    box.cancelButton = MessageButton::No;
    return box;
}

QString OpenFailureReason(int code)
{
    for (const auto& [reasonCode, reason] : kOpenFailureReasons)
        if (reasonCode == code)
            return QString::fromLatin1(reason);
    return QStringLiteral("unspecified, code: ") + QString::number(code);
}

MessageBoxRequest OpenFailureMessage(int code)
{
    MessageBoxRequest box;
    box.caption = QStringLiteral("Unable to open file");
    box.text = QStringLiteral("Error message: ") + OpenFailureReason(code)
               + QStringLiteral("\r\n\r\nPlease check the link in the wiki source.");
    box.kind = MessageKind::Error;
    box.buttons = MessageButtons::Ok;
    box.countdownSeconds = kErrorBoxSeconds;
    return box;
}

}  // namespace quorvel
