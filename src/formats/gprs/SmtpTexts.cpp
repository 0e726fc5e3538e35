// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/SmtpTexts.h"

#include "common/Languages.h"
#include "formats/gprs/GprsSettings.h"

#include <array>
#include <cstddef>

// clang-format off
namespace kestra {
namespace {

// Rows in SmtpLabel order. Spellings differ between languages on purpose (the
// camera's own menus use the same words), leading blanks included.
const std::array<TextTable, kSmtpLabelCount> kLabels{{
    {.english = "GPRS Setting", .chinese = "GPRS 设置", .german = "GPRS Setting", .finnish = "GPRS Setting",
     .italian = "GPRS Setting", .french = "GPRS Setting", .hungarian = "GPRS Setting",
     .slovenian = "GPRS Setting", .czech = "GPRS Setting", .japanese = "GPRSモード",
     .lithuanian = " GPRS Setting"},
    {.english = "Max Image No./ day", .chinese = "每天发送张数", .german = "Bilderanzahl/Tag",
     .finnish = "kuvien maara / paiva", .italian = "N. immagine/data", .french = "Image No/jour",
     .hungarian = "Kepsz./ nap", .slovenian = "St. slik/dan", .czech = "Snimku za den", .japanese = "撮影数/1日",
     .lithuanian = "Siusti per diena"},
    {.english = "Note: 0 = Unlimited Image no.", .chinese = "提示： 0 = 不限制发送张数",
     .german = "Hinweis: 0 = Unlimited", .finnish = "huom! 0 = rajaton", .italian = "Nota: -0- = illimitato",
     .french = "Remarque -0- = illimite", .hungarian = "Megj. -0- = korlutlan",
     .slovenian = "Opomba: 0 pomeni neomejeno st. MMS", .czech = "Pozor:0=neomezene", .japanese = "注意：0=制限なし",
     .lithuanian = "Past: Pasir. -00- Neribota"},
    {.english = "Select Country", .chinese = "选择国家", .german = "Land", .finnish = "maa", .italian = "Nazione",
     .french = "Pays", .hungarian = "Orszag", .slovenian = "Drzava", .czech = " Zeme", .japanese = "国名",
     .lithuanian = "Salis"},
    {.english = "Select Operator", .chinese = "选择运营商", .german = "Operateur", .finnish = "operaattorit",
     .italian = "Operatori", .french = "Operateurs", .hungarian = "Kezelok", .slovenian = "Operater",
     .czech = "Operater", .japanese = "通信会社", .lithuanian = "Operatorius"},
    {.english = "GPRS APN", .chinese = "GPRS APN", .german = "GPRS APN", .finnish = "GPRS APN", .italian = "GPRS APN",
     .french = "GPRS APN", .hungarian = "GPRS APN", .slovenian = "GPRS APN", .czech = "GPRS APN",
     .japanese = "GPRS APN", .lithuanian = "GPRS APN"},
    {.english = "GPRS Account", .chinese = "GPRS 帐号", .german = "GPRS Konto", .finnish = "GPRS tili",
     .italian = "GPRS Account", .french = "GPRS Compte", .hungarian = "Upor. Ime", .slovenian = "Racun",
     .czech = "Ucet", .japanese = "アカウント", .lithuanian = "Account"},
    {.english = "GPRS Password", .chinese = "GPRS 密码", .german = "GPRS Passwort", .finnish = "GPRS salasana",
     .italian = "GPRS Password", .french = "Mot de passe", .hungarian = "Jelszo", .slovenian = "Geslo",
     .czech = "Heslo", .japanese = "パスワード", .lithuanian = "Slaptazodis"},
    {.english = "Email Server", .chinese = "Smtp 服务器", .german = "Smtp Server", .finnish = "Smtp Server",
     .italian = "Smtp Server", .french = "Smtp Server", .hungarian = "Smtp Server", .slovenian = "Smtp Server",
     .czech = "Smtp Server", .japanese = "Smtp Server", .lithuanian = "Smtp serveris"},
    {.english = "Port", .chinese = "端口", .german = "Port", .finnish = "Port", .italian = "Port", .french = "Port",
     .hungarian = "Port", .slovenian = "VRATA", .czech = "Port", .japanese = "ポート", .lithuanian = "Port"},
    {.english = "Sender Email", .chinese = "发送人邮件地址", .german = "Sender Email", .finnish = "Sender Email",
     .italian = "Sender Email", .french = "Sender Email", .hungarian = "Sender Email", .slovenian = "Email naslov",
     .czech = "Sender Email", .japanese = "Sender Email", .lithuanian = "Siuntejo email"},
    {.english = "Sender Password", .chinese = "发送人密码", .german = "Sender Passwort", .finnish = "salasana",
     .italian = "Sender Password", .french = "Mot de passe", .hungarian = "Jelszo", .slovenian = "Geslo",
     .czech = "Heslo", .japanese = "パスワード", .lithuanian = "Slaptazodis"},
    {.english = "Receive Email", .chinese = "接收人邮件地址", .german = "Receive Email", .finnish = "Sahkoposti",
     .italian = "Receive Email", .french = "Receive Email", .hungarian = "Receive Email", .slovenian = "Email naslov",
     .czech = "Receive Email", .japanese = "Eメール01", .lithuanian = "Receive Email"},
    {.english = "User Information", .chinese = "用户信息", .german = "User Information",
     .finnish = "User Information", .italian = "User Information", .french = "User Information",
     .hungarian = "User Information", .slovenian = "User Information", .czech = "User Information",
     .japanese = "User Information", .lithuanian = "User Information"},
    {.english = "Recipients", .chinese = "接收方信息", .german = "Recipients", .finnish = "Recipients",
     .italian = "Recipients", .french = "Recipients", .hungarian = "Recipients", .slovenian = "Recipients",
     .czech = "Recipients", .japanese = "Recipients", .lithuanian = "Recipients"},
    {.english = "GPRS Operator Setting", .chinese = "Gprs运营商设置信息", .german = "GPRS Operator Setting",
     .finnish = "GPRS Operator Setting", .italian = "GPRS Operator Setting", .french = "GPRS Operator Setting",
     .hungarian = "GPRS Operator Setting", .slovenian = "GPRS Operator Setting", .czech = "GPRS Operator Setting",
     .japanese = "GPRSステータス", .lithuanian = "GPRS Operator Setting"},
    {.english = "SMS Control Information", .chinese = "短信控制信息", .german = "SMS Control",
     .finnish = "SMS Control", .italian = "SMS Control", .french = "SMS Control", .hungarian = "SMS Control",
     .slovenian = "SMS upravljanje", .czech = "SMS Control", .japanese = "SMS Control",
     .lithuanian = " SMS nuotol.valdymas"},
    {.english = "SMS Control", .chinese = "短信控制", .german = "SMS Control", .finnish = "SMS Control",
     .italian = "SMS Control", .french = "SMS Control", .hungarian = "SMS Control", .slovenian = "SMS upravljanje",
     .czech = "SMS Control", .japanese = "SMS Control", .lithuanian = " SMS nuotol.valdymas"},
    {.english = "Phone Number", .chinese = "手机号码", .german = "Telefonnummer", .finnish = "puhelinnumero",
     .italian = "No. Telefono", .french = "No telephone", .hungarian = "Telefonsz.", .slovenian = "Telefonska st.",
     .czech = "Tel. Cislo", .japanese = "電話", .lithuanian = "Telefono Nr."},
    {.english = "Select", .chinese = "选择目录", .german = "Auswahl", .finnish = "valitse", .italian = "Seleziona",
     .french = "Choix", .hungarian = "Kivalaszt", .slovenian = "Izberi", .czech = "Vybrat",
     .japanese = "フォルダ選択", .lithuanian = "Pasirinkti"},
    {.english = "Load configure", .chinese = "载入配置文件", .german = "Load configure",
     .finnish = "Load configure", .italian = "Load configure", .french = "Load configure",
     .hungarian = "Load configure", .slovenian = "Load configure", .czech = "Load configure",
     .japanese = "Load configure", .lithuanian = "Load configure"},
    {.english = "Save", .chinese = "保存设置", .german = "Save", .finnish = "luo", .italian = "Save", .french = "Save",
     .hungarian = "Save", .slovenian = "Save", .czech = "Save", .japanese = "ファイル作成", .lithuanian = " Save"},
    {.english = "Exit", .chinese = "退出", .german = "Back", .finnish = "poistu", .italian = "Indiet",
     .french = "Retour", .hungarian = "Vissz.", .slovenian = "Nazaj", .czech = "Vystup", .japanese = "終了",
     .lithuanian = "Iseiti"},
}};

const TextTable kAutoEntry{.english = "Auto", .chinese = "厂家设置", .german = "Auto", .finnish = "Autom",
                           .italian = "Auto", .french = "Auto", .hungarian = "Auto", .slovenian = "Samodejno",
                           .czech = "Automaticky", .japanese = "オート", .lithuanian = "Auto"};
const TextTable kCustomerEntry{.english = "Customer", .chinese = "自定义", .german = "Manuell",
                               .finnish = "Manuaali", .italian = "Manuale", .french = "Manuale",
                               .hungarian = "Kezi", .slovenian = "Rocno", .czech = "Rucne",
                               .japanese = "マニュアル", .lithuanian = "Manual"};

// In SmtpCheck order. The full-width comma of the last English message is the
// camera tool's own.
constexpr ChineseEnglishText kCheckMessages[] = {
    {"Please Input GPRS APN", "请输入GPRS APN"},
    {"Please Input Smtp Server address", "请输入邮件服务器Smtp地址"},
    {"Please Input Port", "请设置邮件服务器端口"},
    {"Please Input Email", "请输入邮件地址"},
    {"Error email address", "邮件地址错误"},
    {"Please Input Sender Email Password", "请输入发送者邮箱密码"},
    {"Please Input Email", "请输入邮件地址"},
    {"Error Receive Email ", "接收人邮件地址地址错误"},
    {"SMS control is already open，please input Phone No.", "短信控制已经打开，请输入手机号码"},
    {"The port must be a number from 1 to 65535", "端口必须是 1 至 65535 之间的数字"},
};

// In SmtpHint order. The examples are neutral placeholders.
constexpr ChineseEnglishText kHints[] = {
    {"Note：Sender Smtp Server(ex: smtp.example.com)", "提示：邮件SMTP服务器地址(例: smtp.example.com)"},
    {"Note：Smtp Server Port(ex: 465)", "提示：邮件SMTP服务器端口(例: 465) "},
    {"Ex: name@example.com", "例: name@example.com"},
    {"Note：The phone number can be used as a sms control number", "注意：号码可以作为短信控制号码(ex:13900000000)"},
    {"Note: the recommended settings for 30 minutes, you can get a longer battery life",
     "注意：推荐设置为30分钟，可以获取更长电池使用寿命"},
    {"Ex: name@example.com", "例: name@example.com"},
};

} // namespace

const TextTable& SmtpLabelTable(SmtpLabel label)
{
    return kLabels[static_cast<std::size_t>(label)];
}

QString GprsModeEntry(int language, int mode)
{
    return (mode == 0 ? kAutoEntry : kCustomerEntry).text(language);
}

QStringList GprsModeEntries(int language)
{
    return {GprsModeEntry(language, kGprsModeAuto), GprsModeEntry(language, kGprsModeCustomer)};
}

QString GprsCustomerListEntry(int language)
{
    // Only Chinese has a word of its own here; every other language shows the
    // English one, whatever its mode list says.
    return language == kLanguageChinese ? QStringLiteral("自定义") : QStringLiteral("Customer");
}

QString SmtpCheckMessage(int language, SmtpCheck check)
{
    const bool chinese = language == kLanguageChinese;
    return kCheckMessages[static_cast<std::size_t>(check)].text(chinese);
}

QString SmtpSavedMessage(int language)
{
    const bool chinese = language == kLanguageChinese;
    return chinese ? QStringLiteral("GPRS配置文件已保存") : QStringLiteral("Save All Parameters To GPRS Setting File");
}

QString SmtpHintText(int language, SmtpHint hint)
{
    const bool chinese = language == kLanguageChinese;
    return kHints[static_cast<std::size_t>(hint)].text(chinese);
}

// clang-format on
} // namespace kestra
