// SPDX-License-Identifier: Apache-2.0
#include "cli/RecordDescription.h"

#include "cli/CliSupport.h"
#include "formats/camera/CameraTexts.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsWords.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsTexts.h"
#include "formats/mms/MmsWords.h"
#include "formats/sms/SmsTexts.h"
#include "storage/Cp936.h"

namespace kestra::cli {

namespace {

constexpr int kPirSecondsFlag = 0x80;

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

std::vector<ValueLine> DescribeCamera(const CameraSettings& s, bool defaultParameters, int language)
{
    if (defaultParameters)
        return {{QStringLiteral("defaultParameters"), QStringLiteral("contents"),
                 QStringLiteral("default parameters: the camera goes back to its factory settings")}};
    const auto list = [language](CameraList which, int position) {
        return Entry(CameraListEntries(language, which), position);
    };
    QString pir = Invalid(s.pirInterval);
    if (s.pirInterval >= kPirSecondsFlag && s.pirInterval < kPirSecondsFlag + 60)
        pir = QStringLiteral("%1 s").arg(s.pirInterval - kPirSecondsFlag);
    else if (s.pirInterval >= 1 && s.pirInterval <= 60)
        pir = QStringLiteral("%1 min").arg(s.pirInterval);
    const QString videoLength = s.videoLength >= 0 && s.videoLength < 60 ? QStringLiteral("%1 s").arg(s.videoLength + 1)
                                                                         : Invalid(s.videoLength);
    const auto timer = [&](int on, int startHour, int startMinute, int stopHour, int stopMinute) {
        return QStringLiteral("%1, %2:%3 to %4:%5")
            .arg(list(CameraList::Timer1, on), Two(startHour), Two(startMinute), Two(stopHour), Two(stopMinute));
    };
    QString serial;
    for (int c : {s.serialChar1, s.serialChar2, s.serialChar3, s.serialChar4}) {
        const QStringList characters = CameraListEntries(language, CameraList::SerialChar1);
        serial += c >= 0 && c < characters.size() ? characters.at(c) : QStringLiteral("?");
    }
    return {
        {QStringLiteral("cameraMode"), QStringLiteral("mode"), list(CameraList::Mode, s.cameraMode)},
        {QStringLiteral("imageSize"), QStringLiteral("image size"), list(CameraList::ImageSize, s.imageSize)},
        {QStringLiteral("videoSize"), QStringLiteral("video size"), list(CameraList::VideoSize, s.videoSize)},
        {QStringLiteral("pictureCount"), QStringLiteral("pictures per trigger"),
         list(CameraList::PictureNo, s.pictureCount)},
        {QStringLiteral("videoLength"), QStringLiteral("video length"), videoLength},
        {QStringLiteral("timeStamp"), QStringLiteral("time stamp"), list(CameraList::TimeStamp, s.timeStamp)},
        {QStringLiteral("pirInterval"), QStringLiteral("PIR interval"), pir},
        {QStringLiteral("senseLevel"), QStringLiteral("sense level"), list(CameraList::SenseLevel, s.senseLevel)},
        {QStringLiteral("beepSound"), QStringLiteral("beep sound"), list(CameraList::BeepSound, s.beepSound)},
        {QStringLiteral("timeLapse"), QStringLiteral("time lapse"),
         QStringLiteral("%1, every %2:%3:%4")
             .arg(list(CameraList::TimeLapse, s.timeLapseOn), Two(s.timeLapseHour), Two(s.timeLapseMinute),
                  Two(s.timeLapseSecond))},
        {QStringLiteral("clock"), QStringLiteral("clock"),
         QStringLiteral("%1-%2-%3 %4:%5:%6")
             .arg(QString::number(s.clockYear + 2010), Two(s.clockMonth), Two(s.clockDay), Two(s.clockHour),
                  Two(s.clockMinute), Two(s.clockSecond))},
        {QStringLiteral("timer1"), QStringLiteral("timer 1"),
         timer(s.timer1On, s.timer1StartHour, s.timer1StartMinute, s.timer1StopHour, s.timer1StopMinute)},
        {QStringLiteral("serial"), QStringLiteral("serial text"),
         QStringLiteral("%1, %2").arg(list(CameraList::SerialNo, s.serialOn), serial)},
        {QStringLiteral("languageCode"), QStringLiteral("language"), LanguageText(s.languageCode)},
        {QStringLiteral("tvMode"), QStringLiteral("TV mode"), QString::number(s.tvMode)},
        {QStringLiteral("timer2"), QStringLiteral("timer 2"),
         timer(s.timer2On, s.timer2StartHour, s.timer2StartMinute, s.timer2StopHour, s.timer2StopMinute)},
        {QStringLiteral("sdCycle"), QStringLiteral("cyclic store"), list(CameraList::SdCycle, s.sdCycle)},
        {QStringLiteral("irLight"), QStringLiteral("IR light"), list(CameraList::IrLight, s.irLight)},
        {QStringLiteral("mmsStatus"), QStringLiteral("MMS status"), list(CameraList::MmsStatus, s.mmsStatus)},
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
    return {
        {QStringLiteral("presetFlag"), QStringLiteral("mode"),
         s.presetFlag == 1   ? QStringLiteral("preset")
         : s.presetFlag == 0 ? QStringLiteral("custom")
                             : Invalid(s.presetFlag)},
        {QStringLiteral("countryCode"), QStringLiteral("country"), country},
        {QStringLiteral("operatorIndex"), QStringLiteral("operator"), operatorName},
        {QStringLiteral("picturesPerDay"), QStringLiteral("pictures per day"), PicturesPerDay(s.picturesPerDay)},
        {QStringLiteral("smsControl"), QStringLiteral("SMS control"),
         Entry(MmsSmsControlEntries(language), s.smsControl)},
        {QStringLiteral("languageCode"), QStringLiteral("language"), LanguageText(s.languageCode)},
        {QStringLiteral("tvMode"), QStringLiteral("TV mode"), QString::number(s.tvMode)},
        {QStringLiteral("url"), QStringLiteral("URL"), Text(s.url)},
        {QStringLiteral("apn"), QStringLiteral("APN"), Text(s.apn)},
        {QStringLiteral("gateway"), QStringLiteral("gateway"), Text(s.gateway)},
        {QStringLiteral("port"), QStringLiteral("port"), Text(s.port)},
        {QStringLiteral("account"), QStringLiteral("account"), Text(s.account)},
        {QStringLiteral("password"), QStringLiteral("password"), Secret(s.password, showSecrets)},
        {QStringLiteral("phone"), QStringLiteral("phone"), Text(s.phone)},
        {QStringLiteral("email"), QStringLiteral("e-mail"), Text(s.email)},
        {QStringLiteral("phone2"), QStringLiteral("phone 2"), Text(s.phone2)},
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
    return {
        {QStringLiteral("mode"), QStringLiteral("mode"),
         s.mode == kGprsModeAuto       ? QStringLiteral("auto")
         : s.mode == kGprsModeCustomer ? QStringLiteral("custom")
                                       : Invalid(s.mode)},
        {QStringLiteral("countryIndex"), QStringLiteral("country"), country},
        {QStringLiteral("operatorIndex"), QStringLiteral("operator"), operatorName},
        {QStringLiteral("picturesPerDay"), QStringLiteral("pictures per day"), PicturesPerDay(s.picturesPerDay)},
        {QStringLiteral("smsControl"), QStringLiteral("SMS control"), Entry(SmsControlEntries(language), s.smsControl)},
        {QStringLiteral("languageCode"), QStringLiteral("language"), LanguageText(s.languageCode)},
        {QStringLiteral("apn"), QStringLiteral("APN"), Text(s.apn)},
        {QStringLiteral("gprsAccount"), QStringLiteral("GPRS account"), Text(s.gprsAccount)},
        {QStringLiteral("gprsPassword"), QStringLiteral("GPRS password"), Secret(s.gprsPassword, showSecrets)},
        {QStringLiteral("smtpServer"), QStringLiteral("SMTP server"), Text(s.smtpServer)},
        {QStringLiteral("smtpPort"), QStringLiteral("SMTP port"), Text(s.smtpPort)},
        {QStringLiteral("senderEmail"), QStringLiteral("sender e-mail"), Text(s.senderEmail)},
        {QStringLiteral("senderPassword"), QStringLiteral("sender password"), Secret(s.senderPassword, showSecrets)},
        {QStringLiteral("userName"), QStringLiteral("user name"), Text(userName)},
        {QStringLiteral("phoneNumber"), QStringLiteral("SMS control phone"), Text(s.phoneNumber)},
        {QStringLiteral("recipientEmail"), QStringLiteral("recipient e-mail"), Text(s.recipientEmail)},
    };
}

std::vector<ValueLine> DescribeSms(const SmsSettings& s, int language)
{
    return {
        {QStringLiteral("smsControl"), QStringLiteral("SMS control"), Entry(SmsControlEntries(language), s.smsControl)},
        {QStringLiteral("picturesPerDay"), QStringLiteral("pictures per day"), PicturesPerDay(s.picturesPerDay)},
        {QStringLiteral("languageCode"), QStringLiteral("language"), LanguageText(s.languageCode)},
        {QStringLiteral("phone1"), QStringLiteral("phone 1"), Text(s.phone1)},
        {QStringLiteral("phone2"), QStringLiteral("phone 2"), Text(s.phone2)},
        {QStringLiteral("phone3"), QStringLiteral("phone 3"), Text(s.phone3)},
    };
}

} // namespace

std::vector<ValueLine> DescribeSettingsFile(const SettingsFileCheck& check, int languageIndex, bool showSecrets)
{
    if (const auto* camera = std::get_if<CameraSettings>(&check.record))
        return DescribeCamera(*camera, check.cameraDefaultParameters, languageIndex);
    if (const auto* mms = std::get_if<MmsSettings>(&check.record))
        return DescribeMms(*mms, languageIndex, showSecrets);
    if (const auto* gprs = std::get_if<GprsSettings>(&check.record))
        return DescribeGprs(*gprs, check.gprsUserName, languageIndex, showSecrets);
    return DescribeSms(std::get<SmsSettings>(check.record), languageIndex);
}

} // namespace kestra::cli
