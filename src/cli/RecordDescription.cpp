// SPDX-License-Identifier: Apache-2.0
#include "cli/RecordDescription.h"

#include "cli/CliSupport.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraTexts.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsWords.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsTexts.h"
#include "formats/mms/MmsWords.h"
#include "formats/shared/SmsControl.h"
#include "storage/Cp936.h"

namespace kestra::cli {

namespace {

QString Invalid(long long stored)
{
    return QStringLiteral("invalid (%1)").arg(stored);
}

QString Entry(const QStringList& entries, int position)
{
    return position >= 0 && position < entries.size() ? entries.at(position) : Invalid(position);
}

QString Text(const QByteArray& bytes)
{
    return DecodeCp936(bytes);
}

QString Secret(const QByteArray& bytes, bool showSecrets)
{
    if (showSecrets || bytes.isEmpty())
        return Text(bytes);
    return QStringLiteral("********");
}

QString Two(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString LanguageText(int code)
{
    if (code < kMinLanguageCode || code > kLanguageCount)
        return Invalid(code);
    return QStringLiteral("%1 (%2)").arg(code).arg(LanguageName(code));
}

QString PicturesPerDay(int count)
{
    return count == 0 ? QStringLiteral("0 (no limit)") : QString::number(count);
}

// A line of the record field of `row`.
template <typename Row> ValueLine Line(const Row& row, const char* label, const QString& text)
{
    return {QLatin1String(row.name), QLatin1String(label), text};
}

// A line of several fields of camera.dat, named by the key that sets them.
ValueLine KeyLine(int CameraSettings::*member, const char* label, const QString& text)
{
    return {QLatin1String(CameraFieldOf(member).key), QLatin1String(label), text};
}

std::vector<ValueLine> DescribeCamera(const CameraSettings& s, bool defaultParameters, int language)
{
    if (defaultParameters)
        return {{QStringLiteral("defaultParameters"), QStringLiteral("contents"),
                 QStringLiteral("default parameters: the camera goes back to its factory settings")}};
    const auto list = [&s, language](int CameraSettings::*member) {
        return Entry(CameraListEntries(language, CameraFieldOf(member).list), s.*member);
    };
    const auto line = [&list](int CameraSettings::*member, const char* label) {
        return Line(CameraFieldOf(member), label, list(member));
    };
    const int pir = DecodePirInterval(s.pirInterval);
    const QString pirText = pir < 0                    ? Invalid(s.pirInterval)
                            : pir < kPirSecondsEntries ? QStringLiteral("%1 s").arg(pir)
                                                       : QStringLiteral("%1 min").arg(pir - kPirSecondsEntries + 1);
    const CameraField& videoLength = CameraFieldOf(&CameraSettings::videoLength);
    const QString videoText = s.videoLength >= videoLength.low && s.videoLength <= videoLength.high
                                  ? QStringLiteral("%1 s").arg(s.videoLength + 1)
                                  : Invalid(s.videoLength);
    const auto timer = [&](int CameraSettings::*on, int startHour, int startMinute, int stopHour, int stopMinute) {
        return QStringLiteral("%1, %2:%3 to %4:%5")
            .arg(list(on), Two(startHour), Two(startMinute), Two(stopHour), Two(stopMinute));
    };
    QString serial;
    for (int CameraSettings::*member : {&CameraSettings::serialChar1, &CameraSettings::serialChar2,
                                        &CameraSettings::serialChar3, &CameraSettings::serialChar4}) {
        const QStringList characters = CameraListEntries(language, CameraFieldOf(member).list);
        const int c = s.*member;
        serial += c >= 0 && c < characters.size() ? characters.at(c) : QStringLiteral("?");
    }
    return {
        line(&CameraSettings::cameraMode, "mode"),
        line(&CameraSettings::imageSize, "image size"),
        line(&CameraSettings::videoSize, "video size"),
        line(&CameraSettings::pictureCount, "pictures per trigger"),
        Line(videoLength, "video length", videoText),
        line(&CameraSettings::timeStamp, "time stamp"),
        Line(CameraFieldOf(&CameraSettings::pirInterval), "PIR interval", pirText),
        line(&CameraSettings::senseLevel, "sense level"),
        line(&CameraSettings::beepSound, "beep sound"),
        KeyLine(&CameraSettings::timeLapseOn, "time lapse",
                QStringLiteral("%1, every %2:%3:%4")
                    .arg(list(&CameraSettings::timeLapseOn), Two(s.timeLapseHour), Two(s.timeLapseMinute),
                         Two(s.timeLapseSecond))),
        KeyLine(&CameraSettings::clockYear, "clock",
                QStringLiteral("%1-%2-%3 %4:%5:%6")
                    .arg(QString::number(s.clockYear + kFirstClockYear), Two(s.clockMonth), Two(s.clockDay),
                         Two(s.clockHour), Two(s.clockMinute), Two(s.clockSecond))),
        KeyLine(&CameraSettings::timer1On, "timer 1",
                timer(&CameraSettings::timer1On, s.timer1StartHour, s.timer1StartMinute, s.timer1StopHour,
                      s.timer1StopMinute)),
        KeyLine(&CameraSettings::serialOn, "serial text",
                QStringLiteral("%1, %2").arg(list(&CameraSettings::serialOn), serial)),
        Line(CameraFieldOf(&CameraSettings::languageCode), "language", LanguageText(s.languageCode)),
        Line(CameraFieldOf(&CameraSettings::tvMode), "TV mode", QString::number(s.tvMode)),
        KeyLine(&CameraSettings::timer2On, "timer 2",
                timer(&CameraSettings::timer2On, s.timer2StartHour, s.timer2StartMinute, s.timer2StopHour,
                      s.timer2StopMinute)),
        line(&CameraSettings::sdCycle, "cyclic store"),
        line(&CameraSettings::irLight, "IR light"),
        line(&CameraSettings::mmsStatus, "MMS status"),
    };
}

std::vector<ValueLine> DescribeMms(const MmsSettings& s, int language, bool showSecrets)
{
    const bool preset = s.presetFlag != 0;
    const CountryListVariant variant =
        language == kLanguageChinese ? CountryListVariant::Chinese : CountryListVariant::English;
    QString country = QStringLiteral("custom");
    QString operatorName = QStringLiteral("custom");
    if (preset || s.countryCode != COUNTRY_CUSTOM) {
        const QString name = MmsCountryName(variant, s.countryCode);
        country = name.isEmpty() ? Invalid(s.countryCode) : name;
        const QString op = s.operatorIndex < MmsOperatorCount(s.countryCode)
                               ? MmsOperatorShownName(s.countryCode, s.operatorIndex, language)
                               : QString();
        operatorName = op.isEmpty() ? Invalid(s.operatorIndex) : op;
    }
    const auto number = [](int MmsSettings::*member) -> const MmsNumberField& {
        return RowOf(kMmsNumberFields, member);
    };
    const auto text = [&s, showSecrets](QByteArray MmsSettings::*member, const char* label, bool secret = false) {
        return Line(RowOf(kMmsTextFields, member), label, secret ? Secret(s.*member, showSecrets) : Text(s.*member));
    };
    return {
        Line(number(&MmsSettings::presetFlag), "mode",
             s.presetFlag == 1   ? QStringLiteral("preset")
             : s.presetFlag == 0 ? QStringLiteral("custom")
                                 : Invalid(s.presetFlag)),
        Line(number(&MmsSettings::countryCode), "country", country),
        Line(number(&MmsSettings::operatorIndex), "operator", operatorName),
        Line(number(&MmsSettings::picturesPerDay), "pictures per day", PicturesPerDay(s.picturesPerDay)),
        Line(number(&MmsSettings::smsControl), "SMS control", Entry(MmsSmsControlEntries(language), s.smsControl)),
        Line(number(&MmsSettings::languageCode), "language", LanguageText(s.languageCode)),
        Line(number(&MmsSettings::tvMode), "TV mode", QString::number(s.tvMode)),
        text(&MmsSettings::url, "URL"),
        text(&MmsSettings::apn, "APN"),
        text(&MmsSettings::gateway, "gateway"),
        text(&MmsSettings::port, "port"),
        text(&MmsSettings::account, "account"),
        text(&MmsSettings::password, "password", true),
        text(&MmsSettings::phone, "phone"),
        text(&MmsSettings::email, "e-mail"),
        text(&MmsSettings::phone2, "phone 2"),
    };
}

std::vector<ValueLine> DescribeGprs(const GprsSettings& s, const QByteArray& userName, int language, bool showSecrets)
{
    QString country = QStringLiteral("custom");
    QString operatorName = QStringLiteral("custom");
    if (s.mode == kGprsModeAuto) {
        const QString name = GprsCountryName(language == kLanguageChinese, s.countryIndex);
        country = name.isEmpty() ? Invalid(s.countryIndex) : name;
        const QString op = s.operatorIndex >= 0 && s.operatorIndex < GprsOperatorCount(s.countryIndex)
                               ? GprsOperatorShownName(s.countryIndex, s.operatorIndex, language)
                               : QString();
        operatorName = op.isEmpty() ? Invalid(s.operatorIndex) : op;
    }
    const auto number = [](int GprsSettings::*member) -> const GprsNumberField& {
        return RowOf(kGprsNumberFields, member);
    };
    const auto text = [&s, showSecrets](QByteArray GprsSettings::*member, const char* label, bool secret = false) {
        return Line(RowOf(kGprsTextFields, member), label, secret ? Secret(s.*member, showSecrets) : Text(s.*member));
    };
    return {
        Line(number(&GprsSettings::mode), "mode",
             s.mode == kGprsModeAuto       ? QStringLiteral("auto")
             : s.mode == kGprsModeCustomer ? QStringLiteral("custom")
                                           : Invalid(s.mode)),
        Line(number(&GprsSettings::countryIndex), "country", country),
        Line(number(&GprsSettings::operatorIndex), "operator", operatorName),
        Line(number(&GprsSettings::picturesPerDay), "pictures per day", PicturesPerDay(s.picturesPerDay)),
        Line(number(&GprsSettings::smsControl), "SMS control", Entry(SmsControlEntries(language), s.smsControl)),
        Line(number(&GprsSettings::languageCode), "language", LanguageText(s.languageCode)),
        text(&GprsSettings::apn, "APN"),
        text(&GprsSettings::gprsAccount, "GPRS account"),
        text(&GprsSettings::gprsPassword, "GPRS password", true),
        text(&GprsSettings::smtpServer, "SMTP server"),
        text(&GprsSettings::smtpPort, "SMTP port"),
        text(&GprsSettings::senderEmail, "sender e-mail"),
        text(&GprsSettings::senderPassword, "sender password", true),
        Line(kGprsUserNameField, "user name", Text(userName)),
        text(&GprsSettings::phoneNumber, "SMS control phone"),
        text(&GprsSettings::recipientEmail, "recipient e-mail"),
    };
}

std::vector<ValueLine> DescribeSms(const SmsSettings& s, int language)
{
    const auto number = [](int SmsSettings::*member) -> const SmsNumberField& {
        return RowOf(kSmsNumberFields, member);
    };
    const auto text = [&s](QByteArray SmsSettings::*member, const char* label) {
        return Line(RowOf(kSmsTextFields, member), label, Text(s.*member));
    };
    return {
        Line(number(&SmsSettings::smsControl), "SMS control", Entry(SmsControlEntries(language), s.smsControl)),
        Line(number(&SmsSettings::picturesPerDay), "pictures per day", PicturesPerDay(s.picturesPerDay)),
        Line(number(&SmsSettings::languageCode), "language", LanguageText(s.languageCode)),
        text(&SmsSettings::phone1, "phone 1"),
        text(&SmsSettings::phone2, "phone 2"),
        text(&SmsSettings::phone3, "phone 3"),
    };
}

// The labels, and the few words of ours among the values, in Chinese.
struct ChineseWord {
    const char* english;
    const char* chinese;
};
constexpr ChineseWord kChineseLabels[] = {
    {"mode", "模式"},
    {"image size", "照片尺寸"},
    {"video size", "视频尺寸"},
    {"pictures per trigger", "每次触发拍照张数"},
    {"video length", "视频长度"},
    {"time stamp", "时间戳"},
    {"PIR interval", "PIR间隔"},
    {"sense level", "灵敏度"},
    {"beep sound", "提示音"},
    {"time lapse", "定时拍摄"},
    {"clock", "时钟"},
    {"timer 1", "定时器 1"},
    {"timer 2", "定时器 2"},
    {"serial text", "序列号文字"},
    {"language", "语言"},
    {"TV mode", "电视制式"},
    {"cyclic store", "循环存储"},
    {"IR light", "红外灯"},
    {"MMS status", "彩信状态"},
    {"country", "国家"},
    {"operator", "运营商"},
    {"pictures per day", "每天照片数"},
    {"SMS control", "短信控制"},
    {"URL", "URL"},
    {"APN", "APN"},
    {"gateway", "网关"},
    {"port", "端口"},
    {"account", "账号"},
    {"password", "密码"},
    {"phone", "电话"},
    {"e-mail", "电子邮件"},
    {"phone 1", "电话 1"},
    {"phone 2", "电话 2"},
    {"phone 3", "电话 3"},
    {"GPRS account", "GPRS账号"},
    {"GPRS password", "GPRS密码"},
    {"SMTP server", "SMTP服务器"},
    {"SMTP port", "SMTP端口"},
    {"sender e-mail", "发件人邮箱"},
    {"sender password", "发件人邮箱密码"},
    {"user name", "用户名"},
    {"SMS control phone", "短信控制号码"},
    {"recipient e-mail", "收件人邮箱"},
    {"contents", "内容"},
};
constexpr ChineseWord kChineseValues[] = {
    {"preset", "预设"},
    {"custom", "自定义"},
    {"auto", "自动"},
    {"0 (no limit)", "0（不限）"},
    {"default parameters: the camera goes back to its factory settings", "默认参数：相机恢复出厂设置"},
};

template <std::size_t N> QString InChinese(const ChineseWord (&words)[N], const QString& english)
{
    for (const ChineseWord& word : words) {
        if (english == QLatin1String(word.english))
            return QString::fromUtf8(word.chinese);
    }
    return english;
}

} // namespace

std::vector<ValueLine> DescribeSettingsFile(const SettingsFileCheck& check, int languageIndex, bool showSecrets)
{
    std::vector<ValueLine> lines;
    if (const auto* camera = std::get_if<CameraSettings>(&check.record))
        lines = DescribeCamera(*camera, check.cameraDefaultParameters, languageIndex);
    else if (const auto* mms = std::get_if<MmsSettings>(&check.record))
        lines = DescribeMms(*mms, languageIndex, showSecrets);
    else if (const auto* gprs = std::get_if<GprsSettings>(&check.record))
        lines = DescribeGprs(*gprs, check.gprsUserName, languageIndex, showSecrets);
    else
        lines = DescribeSms(std::get<SmsSettings>(check.record), languageIndex);
    if (languageIndex == kLanguageChinese) {
        for (ValueLine& line : lines) {
            line.label = InChinese(kChineseLabels, line.label);
            line.text = InChinese(kChineseValues, line.text);
            if (line.text.startsWith(QStringLiteral("invalid (")))
                line.text = QStringLiteral("无效（%1）").arg(line.text.mid(9).chopped(1));
        }
    }
    return lines;
}

} // namespace kestra::cli
