// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsTexts.h"

#include "common/Languages.h"

#include <array>
#include <cstddef>

// clang-format off
namespace kestra {
namespace {

// Rows in SmsLabel order.
const std::array<TextTable, kSmsLabelCount> kLabels{{
    {.english = "Max Image No./ day", .chinese = "每天发送张数", .german = "Bilderanzahl/Tag",
     .finnish = "kuvien maara / paiva", .italian = "N. immagine/data", .french = "Image No/jour",
     .hungarian = "Kepsz./ nap", .slovenian = "St. slik/dan", .czech = "Snimku za den", .japanese = "撮影数/1日",
     .lithuanian = "Siusti per diena"},
    {.english = "Note: 0 = Unlimited Image no.", .chinese = "提示： 0 = 不限制发送张数",
     .german = "Hinweis: 0 = Unlimited", .finnish = "huom! 0 = rajaton", .italian = "Nota: -0- = illimitato",
     .french = "Remarque -0- = illimite", .hungarian = "Megj. -0- = korlutlan",
     .slovenian = "Opomba: 0 pomeni neomejeno st. MMS", .czech = "Pozor:0=neomezene", .japanese = "注意：0=制限なし",
     .lithuanian = "Past: Pasir. -00- Neribota"},
    {.english = "Phone Number 1", .chinese = "手机号码 1", .german = "Telefonnummer 1", .finnish = "puhelinnumero 1",
     .italian = "No. Telefono 1", .french = "No telephone 1", .hungarian = "Telefonsz. 1",
     .slovenian = "Telefonska st. 1", .czech = "Tel. Cislo 1", .japanese = "電話 01", .lithuanian = "Telefono Nr. 1"},
    {.english = "Phone Number 2", .chinese = "手机号码 2", .german = "Telefonnummer 2", .finnish = "puhelinnumero 2",
     .italian = "No. Telefono 2", .french = "No telephone 2", .hungarian = "Telefonsz. 2",
     .slovenian = "Telefonska st. 2", .czech = "Tel. Cislo 2", .japanese = "電話 02", .lithuanian = "Telefono Nr. 2"},
    {.english = "Phone Number 3", .chinese = "手机号码 3", .german = "Telefonnummer 3", .finnish = "puhelinnumero 3",
     .italian = "No. Telefono 3", .french = "No telephone 3", .hungarian = "Telefonsz. 3",
     .slovenian = "Telefonska st. 3", .czech = "Tel. Cislo 3", .japanese = "電話 03", .lithuanian = "Telefono Nr. 3"},
    {.english = "SMS Control", .chinese = "短信控制", .german = "SMS Control", .finnish = "SMS Control",
     .italian = "SMS Control", .french = "SMS Control", .hungarian = "SMS Control", .slovenian = "SMS upravljanje",
     .czech = "SMS Control", .japanese = "SMS Control", .lithuanian = " SMS nuotol.valdymas"},
    {.english = "Select", .chinese = "选择目录", .german = "Auswahl", .finnish = "valitse", .italian = "Seleziona",
     .french = "Choix", .hungarian = "Kivalaszt", .slovenian = "Izberi", .czech = "Vybrat",
     .japanese = "フォルダ選択", .lithuanian = "Pasirinkti"},
    {.english = "Save", .chinese = "保存设置", .german = "Save", .finnish = "luo", .italian = "Save", .french = "Save",
     .hungarian = "Save", .slovenian = "Save", .czech = "Save", .japanese = "ファイル作成", .lithuanian = " Save"},
    {.english = "Exit", .chinese = "退出", .german = "Back", .finnish = "poistu", .italian = "Indiet",
     .french = "Retour", .hungarian = "Vissz.", .slovenian = "Nazaj", .czech = "Vystup", .japanese = "終了",
     .lithuanian = "Iseiti"},
}};

// In SmsCheck order; both digit checks share one message.
constexpr ChineseEnglishText kCheckMessages[] = {
    {"Phone No1. Error", "手机号码1错误"},
    {"Phone No2. Error", "手机号码2错误"},
    {"Phone No3. Error", "手机号码3错误"},
    {"Please check the phone number", "请检查手机号码是否输入正确"},
    {"Please check the phone number", "请检查手机号码是否输入正确"},
};

constexpr ChineseEnglishText kHints[] = {
    {"Note：The phone number 1 can be used as a remote control number", "注意：手机号码1可以作为远程短信控制号码"},
    {"Note: the recommended settings for 30 minutes, you can get a longer battery life",
     "注意：推荐设置为30分钟，可以获取更长电池使用寿命"},
};

} // namespace

const TextTable& SmsLabelTable(SmsLabel label)
{
    return kLabels[static_cast<std::size_t>(label)];
}

QString SmsCheckMessage(SmsCheck check, bool chinese)
{
    return kCheckMessages[static_cast<std::size_t>(check)].text(chinese);
}

QString SmsSavedMessage(bool chinese)
{
    return chinese ? QStringLiteral("短信设置文件已生成") : QStringLiteral("Save SMS configuration file");
}

QString SmsHintText(SmsHint hint, bool chinese)
{
    return kHints[static_cast<std::size_t>(hint)].text(chinese);
}

// clang-format on
} // namespace kestra
