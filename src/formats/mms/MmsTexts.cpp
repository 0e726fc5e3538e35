// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsTexts.h"

#include "common/Languages.h"
#include "common/TextTable.h"

#include <array>

// clang-format off
namespace kestra {
namespace {

constexpr std::array<TextTable, kMmsLabelCount> kLabels{{
    // ModeLabel
    {.english = "MMS Setting", .chinese = "彩信设置", .german = "MMS Setting", .finnish = "MMS Setting",
     .italian = "MMS Setting", .french = "MMS Setting", .hungarian = "MMS Setting", .slovenian = "MMS Setting",
     .czech = "MMS Setting", .japanese = "MMSステータス", .lithuanian = "MMS Setting"},
    // CountryLabel
    {.english = "Select Country", .chinese = "选择国家", .german = "Land", .finnish = "maa", .italian = "Nazione",
     .french = "Pays", .hungarian = "Orszag", .slovenian = "Drzava", .czech = " Zeme", .japanese = "国名",
     .lithuanian = "Salis"},
    // OperatorLabel
    {.english = "Select Operator", .chinese = "选择运营商", .german = "Operateur", .finnish = "operaattorit",
     .italian = "Operatori", .french = "Operateurs", .hungarian = "Kezelok", .slovenian = "Operater",
     .czech = "Operater", .japanese = "通信会社", .lithuanian = "Operatorius"},
    // PicturesLabel
    {.english = "Max Image No./ day", .chinese = "每天发送张数", .german = "Bilderanzahl/Tag",
     .finnish = "kuvien maara / paiva", .italian = "N. immagine/data", .french = "Image No/jour",
     .hungarian = "Kepsz./ nap", .slovenian = "St. slik/dan", .czech = "Snimku za den", .japanese = "撮影数/1日",
     .lithuanian = "Siusti per diena"},
    // PicturesNote
    {.english = "Note: 0 = Unlimited Image no.", .chinese = "提示： 0 = 不限制发送张数",
     .german = "Hinweis: 0 = Unlimited", .finnish = "huom! 0 = rajaton", .italian = "Nota: -0- = illimitato",
     .french = "Remarque -0- = illimite", .hungarian = "Megj. -0- = korlutlan",
     .slovenian = "Opomba: 0 pomeni neomejeno st. MMS", .czech = "Pozor:0=neomezene", .japanese = "注意：0=制限なし",
     .lithuanian = "Past: Pasir. -00- Neribota"},
    // SmsControlLabel
    {.english = "SMS Control", .chinese = "短信控制", .german = "SMS Control", .finnish = "SMS Control",
     .italian = "SMS Control", .french = "SMS Control", .hungarian = "SMS Control", .slovenian = "SMS upravljanje",
     .czech = "SMS Control", .japanese = "SMS Control", .lithuanian = " SMS nuotol.valdymas"},
    // UrlLabel
    {.english = "MMS URL", .chinese = "彩信网址", .german = "MMS URL", .finnish = "MMS URL", .italian = "MMS URL",
     .french = "MMS URL", .hungarian = "MMS URL", .slovenian = "URL naslov", .czech = "MMS URL",
     .japanese = "MMS URL", .lithuanian = "MMS URL"},
    // GatewayLabel
    {.english = "MMS IP", .chinese = "彩信网关", .german = "MMS IP", .finnish = "MMS IP", .italian = "MMS IP",
     .french = "MMS IP", .hungarian = "MMS IP", .slovenian = "MMS IP", .czech = "MMS IP", .japanese = "ゲートウェイ",
     .lithuanian = "MMS IP"},
    // PortLabel
    {.english = "Port", .chinese = "彩信端口", .german = "Port", .finnish = "port", .italian = "PORTA",
     .french = "Port", .hungarian = "Port", .slovenian = "VRATA", .czech = "Port", .japanese = "ポート",
     .lithuanian = "Portas"},
    // AccountLabel
    {.english = "MMS Account", .chinese = "彩信帐号", .german = "MMS Konto", .finnish = "tili",
     .italian = "MMS Account", .french = "Compte", .hungarian = "Upor. Ime", .slovenian = "Racun", .czech = "Ucet",
     .japanese = "アカウント", .lithuanian = "Account"},
    // PasswordLabel
    {.english = "MMS Password", .chinese = "彩信密码", .german = "MMS Passwort", .finnish = "salasana",
     .italian = "MMS Password", .french = "Mot de passe", .hungarian = "Jelszo", .slovenian = "Geslo",
     .czech = "Heslo", .japanese = "パスワード", .lithuanian = "Slaptazodis"},
    // PhoneLabel
    {.english = "Phone Number", .chinese = "手机号码", .german = "Telefonnummer", .finnish = "puhelinnumero",
     .italian = "No. Telefono", .french = "No telephone", .hungarian = "Telefonsz.", .slovenian = "Telefonska st.",
     .czech = "Tel. Cislo", .japanese = "電話", .lithuanian = "Telefono Nr."},
    // EmailLabel: "Recieve" in English is the tool's own spelling.
    {.english = "Recieve Email", .chinese = "接收人邮件地址", .german = "Receive Email", .finnish = "Sahkoposti",
     .italian = "Receive Email", .french = "Receive Email", .hungarian = "Receive Email",
     .slovenian = "Receive Email", .czech = "Receive Email", .japanese = "Eメール", .lithuanian = "Receive Email"},
    // Phone2Label
    {.english = "Phone or Email", .chinese = "手机号码或邮件", .german = "Tel. oder Email",
     .finnish = "gsm / sahkoposti", .italian = "Tel. o mail", .french = "Tel. ou e-mail",
     .hungarian = "Tel.vagy e-level", .slovenian = "Tel. st. ali Email", .czech = "Telefon / Email",
     .japanese = "電話orEメール", .lithuanian = "Telefono/Email"},
    // SettingsGroup
    {.english = "MMS Setting", .chinese = "彩信设置"},
    // UserGroup
    {.english = "User Information", .chinese = "用户信息"},
    // ParametersGroup
    {.english = "MMS Parameters", .chinese = "彩信参数"},
    // LoadButton
    {.english = "Load configure", .chinese = "载入配置文件"},
    // SelectButton
    {.english = "Select", .chinese = "选择目录", .german = "Auswahl", .finnish = "valitse", .italian = "Seleziona",
     .french = "Choix", .hungarian = "Kivalaszt", .slovenian = "Izberi", .czech = "Vybrat",
     .japanese = "フォルダ選択", .lithuanian = "Pasirinkti"},
    // SaveButton
    {.english = "Save", .chinese = "保存设置", .finnish = "luo", .japanese = "ファイル作成", .lithuanian = " Save"},
    // ExitButton
    {.english = "Exit", .chinese = "退出", .german = "Back", .finnish = "poistu", .italian = "Indiet",
     .french = "Retour", .hungarian = "Vissz.", .slovenian = "Nazaj", .czech = "Vystup", .japanese = "終了",
     .lithuanian = "Iseiti"},
}};

// The two entries of the MMS mode list; languages a row leaves out show the
// English pair.
constexpr TextTable kPresetMode{.english = "Auto", .chinese = "厂家设置", .finnish = "autom",
                                .slovenian = "Samodejno", .czech = "Automaticky", .japanese = "オート"};
constexpr TextTable kCustomMode{.english = "Customer", .chinese = "客户自定义", .german = "Manuell",
                                .finnish = "manuaali", .italian = "Manuale", .french = "Manuel",
                                .hungarian = "Kezi", .slovenian = "Rocno", .czech = "Rucne",
                                .japanese = "マニュアル"};

constexpr TextTable kSmsOff{.english = "Off", .chinese = "关闭", .german = "Aus", .finnish = "pois",
                            .italian = "OFF", .french = "Arret", .hungarian = "Off", .slovenian = "Izklop",
                            .czech = "Vypnuto", .japanese = "オフ", .lithuanian = "NE"};

constexpr TextTable kCustomItem{.english = "Customer", .chinese = "自定义"};

// Messages: Chinese and English only, so every other language falls back to
// English. The English spellings and the full-width comma are the tool's own;
// the last one is this tool's, for a file Load configure turns down.
constexpr std::array<TextTable, 14> kMessages{{
    {.english = "Please input phone number or recieve email", .chinese = "请输入手机号码或接收人邮件地址"},
    {.english = "Phone number error", .chinese = "手机号码格式不正确"},
    {.english = "Phone number or receive email format error", .chinese = "手机号码或接收人邮箱格式不正确"},
    {.english = "Only numbers(+) are allowed phone number", .chinese = "手机号码允许数字和符号(+)"},
    {.english = "Please check the phone number or email address",
     .chinese = "请检查手机号码或者接收人邮件地址是否输入正确"},
    {.english = "Error email address", .chinese = "接收人邮件地址输入错误"},
    {.english = "Error MMS URL", .chinese = "彩信网址错误"},
    {.english = "Error MMS APN ", .chinese = "彩信APN 错误"},
    {.english = "Error MMS GateWay", .chinese = "彩信网关错误"},
    {.english = "Error MMS Port", .chinese = "彩信端口错误"},
    {.english = "SMS control is already open，please input Phone No.", .chinese = "短信控制已经打开，请设置手机号码"},
    {.english = "Save All Parameters To MMS Setting File", .chinese = "彩信设置文件已保存"},
    {.english = "The max number of phone %d!", .chinese = "支持最大手机号码位数 %d!"},
    {.english = "%1 is not an MMS setting file, so nothing was loaded: %2",
     .chinese = "%1 不是彩信设置文件，未载入：%2"},
}};

// The e-mail hint shows an address of the reserved example domain, so it can
// never point at a real mailbox.
constexpr std::array<TextTable, 3> kHints{{
    {.english = "Note：The phone number can be used as a sms control number",
     .chinese = "注意：该手机号码可以作为短信控制号码(ex:13800013800)"},
    {.english = "Ex: camera@example.com", .chinese = "例: camera@example.com"},
    {.english = "Note: the recommended settings for 30 minutes, you can get a longer battery life",
     .chinese = "注意：推荐设置为30分钟，可以获取更长电池使用寿命"},
}};

} // namespace

QString MmsLabelText(int language, MmsLabel label)
{
    return kLabels[static_cast<std::size_t>(label)].text(language);
}

QStringList MmsModeEntries(int language)
{
    return {kPresetMode.text(language), kCustomMode.text(language)};
}

QStringList MmsSmsControlEntries(int language)
{
    QStringList entries = language == kLanguageChinese
                              ? QStringList{QStringLiteral("打开"), QStringLiteral("5 分钟"),
                                            QStringLiteral("30 分钟"), QStringLiteral("1 小时"),
                                            QStringLiteral("2 小时")}
                              : QStringList{QStringLiteral("ON"), QStringLiteral("5 Min"), QStringLiteral("30 Min"),
                                            QStringLiteral("1 Hour"), QStringLiteral("2 Hour")};
    entries << kSmsOff.text(language);
    return entries;
}

QString MmsCustomItem(int language)
{
    return kCustomItem.text(language);
}

QString MmsMessageText(int language, MmsMessage message)
{
    return kMessages[static_cast<std::size_t>(message)].text(language);
}

QString MmsHintText(int language, MmsHint hint)
{
    return kHints[static_cast<std::size_t>(hint)].text(language);
}

// clang-format on
} // namespace kestra
