// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraTexts.h"

#include "common/Languages.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

// clang-format off
namespace kestra {
namespace {

constexpr int kLanguages = kLanguageCount;

struct LabelRow {
    CameraLabel label;
    // Languages 1 to 11; nullptr keeps the template's text.
    const char* texts[kLanguages];
};

// Languages 1 to 6 on the first line of a row, 7 to 11 on the second.
constexpr LabelRow kLabelRows[] = {
    {CameraLabel::ModeLabel,
     {"模式", "Mode", "Modus", "kuvaustila", "Modo", "Mode",
      "Mod", "Nacin", "Rezim", "モード", "Rezimas"}},
    {CameraLabel::VideoSizeLabel,
     {"录像尺寸", "Video Size", "Video-Groesse", "videon koko", "Dim. video", "Taille video",
      "Video meret", "Velikost videa", "Rozlis.video", "動画解像度", "Video dydis"}},
    {CameraLabel::TimeStampLabel,
     {"时间戳", "Time Stamp", "Zeit Stempel", "aikaleima", "Data/ora", "Tampon temps",
      "Idobelyeg.", "Prikaz datuma", "Otisk dat/cas", "タイムスタンプ", "Datos zyme"}},
    {CameraLabel::BeepSoundLabel,
     {"声音", "Beep Sound", "Beep Sound", "Beep Sound", "Beep Sound", "Beep Sound",
      "Beep Sound", "Zvok", "Beep Sound", "Beep Sound", "Beep Sound"}},
    {CameraLabel::PirIntervalLabel,
     {"间隔时间", "PIR Interval", "PIR Intervall", "PIR ottoviive", "PIR Intervallo", "PIR Intervalle",
      "PIR Interval", "PIR Interval", "PIR Prodleva", "インターバル", "PIR Intervalas"}},
    {CameraLabel::ImageSizeLabel,
     {"图象尺寸", "Image Size", "Foto-Groesse", "kuvan koko", "Dim. foto", "Taille photo",
      "Fenykepmer.", "Velikost slike", "Rozlis.foto", "静止画解像度", "Nuotraukos dyd."}},
    {CameraLabel::PictureNoLabel,
     {"拍摄张数", "Picture No.", "Fot Nummer", "kuvien lkm", "Foto no.", "Numero photo",
      "Fenykepsz.", "St. slik", "Poc. Zaznamu", "連続撮影", "Nuotr.numeris"}},
    {CameraLabel::SenseLevelLabel,
     {"灵敏度", "Sense Level", "Sensor Sensib.", "herkkyystaso", "Sensore sens.", "Sensib capteur",
      "Erzekelo erz.", "Obcutljivost", "Citlivost PIR", "センサー感度", "Jautrumas"}},
    {CameraLabel::VideoLengthLabel,
     {"录像长度", "Video Length", "Video-laenge", "videon pituus", "Lungh. video", "Long. de video",
      "Video hossz", "Dolzina slike", "Delka video", "動画撮影時間", "Iraso trukme"}},
    {CameraLabel::SdCycleLabel,
     {"循环存储", "Cyclic Store", "Cyclic Store", "Cyclic Store", "Cyclic Store", "Cyclic Store",
      "Cyclic Store", "SD cikel", "Cyclic Store", "Cyclic Store", "Cyclic Store"}},
    {CameraLabel::IrLightLabel,
     {"LED 亮度", "IR Light", "IR Light", "IR Light", "IR Light", "IR Light",
      "IR Light", "IR Light", "IR Light", "IR Light", "IR Light"}},
    {CameraLabel::MmsStatusLabel,
     {"发送模式", "MMS Status", "MMS Status", "MMS Status", "MMS Status", "MMS Status",
      "MMS Status", "MMS Status", "MMS Status", "MMS Status", "MMS Status"}},
    {CameraLabel::ClockGroup,
     {"系统时间", "System Clock", "System Clock", "System Clock", "System Clock", "System Clock",
      "System Clock", "System Clock", "System Clock", "System Clock", "System Clock"}},
    {CameraLabel::ClockLabel,
     {"设置时间", "Set Clock", "Uhr stellen", "aseta kello", "Imposta ora", "Regler horloge",
      "Uraollitos", "Nastavi uro", "Datum a cas", "日時設定", "Laiko nustat."}},
    {CameraLabel::SyncTimeButton,
     {"同步系统时间", "Sync Time", "Uhrzeit anfragen", "Hae aika", "Prel. Ora", "Obtenir heure",
      "Idot szerez", "Pridobi uro", "Nastavit cas", "PC時間反映", "Nuskait.laika"}},
    {CameraLabel::WorkHourGroup,
     {"工作时间段", "Work Hour", "Work Hour", "Work Hour", "Work Hour", "Work Hour",
      "Work Hour", "Work Hour", "Work Hour", "Work Hour", "Work Hour"}},
    {CameraLabel::Timer1Label,
     {"定时设置1", "Timer1", "Zeitschaltuhr1", "ajastinkytkin1", "Timer1", "Minuterie1",
      "Idokapcs. ora1", "Casovnik1", "Casovac1", "タイマー", "Laikmatis1"}},
    {CameraLabel::Timer2Label,
     {"定时设置2", "Timer2", "Zeitschaltuhr2", "ajastinkytkin2", "Timer2", "Minuterie2",
      "Idokapcs. ora2", "Casovnik2", "Casovac2", "タイマー2", "Laikmatis2"}},
    {CameraLabel::Timer1StartLabel,
     {"开始:", "Start:", "Start:", "Start:", "Avvio:", "Start:",
      "Start:", "Zacetek:", "Start:", "開始:", "Pradeti:"}},
    {CameraLabel::Timer1StopLabel,
     {"停止:", "Stop:", "Stop:", "Stop:", "Stop:", "Stop:",
      "Stop:", "Konec:", "Stop:", "終了:", "Stabdyti:"}},
    {CameraLabel::Timer2StartLabel,
     {"开始:", "Start:", "Start:", "Start:", "Avvio:", "Start:",
      "Start:", "Zacetek:", "Start:", "開始:", nullptr}},
    {CameraLabel::Timer2StopLabel,
     {"停止:", "Stop:", "Stop:", "Stop:", "Stop:", "Stop:",
      "Stop:", "Konec:", "Stop:", "終了:", nullptr}},
    {CameraLabel::HourUnit,
     {"时", nullptr, nullptr, nullptr, nullptr, nullptr,
      nullptr, nullptr, nullptr, "時", nullptr}},
    {CameraLabel::MinuteUnit,
     {"分", nullptr, nullptr, nullptr, nullptr, nullptr,
      nullptr, nullptr, nullptr, "分", nullptr}},
    {CameraLabel::SecondUnit,
     {"秒", nullptr, nullptr, nullptr, nullptr, nullptr,
      nullptr, nullptr, nullptr, "秒", nullptr}},
    {CameraLabel::SerialLabel,
     {"序列号", "Serial No.", "Kd.Serien Nr.", "aseta srj.n:o", "No. di serie", "No de ssrie",
      "Sorsz.", "Serijska st.", "Por.cislo", "任意文字挿入", "Serijinis Nr"}},
    {CameraLabel::TimeLapseLabel,
     {"定时拍摄", "Time Lapse", "Zeitraffer", "ajastin kuvaus", "Eff. accel.", "Accelere",
      "Idolass.", "Time Lapse", "Casosber", "タイムラプス", "Laikmacio tarp"}},
    {CameraLabel::SelectButton,
     {"选择目录", "Select", "Auswahl", "valitse", "Seleziona", "Choix",
      "Kivalaszt", "Izberi", "Vybrat", "フォルダ選択", "Pasirinkti"}},
    {CameraLabel::SaveButton,
     {"保存设置", "Save", "Save", "Save", "Save", "Save",
      "Save", "Save", "Save", "ファイル作成", " Save"}},
    {CameraLabel::DefaultButton,
     {"出厂设置", "Default", "Werkseinstell.", "oletusasetus.", "Imp. fabbrica.", "Reglage usine",
      "Gyari beall.", "Privzeto", "Reset", "初期設定", "Gamykl.nustat."}},
    {CameraLabel::ExitButton,
     {"退出", "Exit", "Beenden", "poistu", "Indiet", "Retour",
      "Vissz.", "Izhod", "Vystup", "終了", "Iseiti"}},
};
static_assert(std::size(kLabelRows) == kCameraLabelCount);

constexpr bool LabelRowsInOrder()
{
    for (std::size_t i = 0; i < std::size(kLabelRows); ++i) {
        if (static_cast<std::size_t>(kLabelRows[i].label) != i)
            return false;
    }
    return true;
}
static_assert(LabelRowsInOrder(), "label rows must follow the CameraLabel order");

// Lists whose texts differ between languages. Beep Sound, Timer1, Timer2 and
// Serial No. share the off/on pair; Time Lapse has the same words the other
// way round, because the camera reads its byte as 0 on, 1 off.
enum class OptionTexts { Mode, PictureNo, TimeStamp, SenseLevel, OffOn, MmsStatus, IrLight, SdCycle };

struct OptionRow {
    OptionTexts texts;
    // Per language up to four entries; unused slots are nullptr.
    const char* entries[kLanguages][4];
};

constexpr OptionRow kOptionRows[] = {
    {OptionTexts::Mode, {
        {"拍照", "录像", "拍照+录像"},
        {"Camera", "Video", "Camera+Video"},
        {"Foto-Kamera", "Video-Kamera", "Foto+Video"},
        {"Kamera", "Video", "kam+Video"},
        {"Foto", "Video", "Foto e video"},
        {"Photo", "Video", "Photo+Video"},
        {"Camera", "Video", "Camera+Video"},
        {"Slika", "Video", "Slika+Video"},
        {"Foto", "Video", "Foto+Video"},
        {"静止画", "動画", "静止画+動画"},
        {"Foto", "Video", "Foto+Video"},
    }},
    {OptionTexts::PictureNo, {
        {"01 张", "02 张", "03 张"},
        {"01 Photo", "02 Photo", "03 Photo"},
        {"01 Foto", "02 Foto", "03 Foto"},
        {"01 kuvaa", "02 kuvaa", "03 kuvaa"},
        {"01 Foto", "02 Foto", "03 Foto"},
        {"01 Photo", "02 Photo", "03 Photo"},
        {"01 Fenykep", "02 Fenykep", "03 Fenykep"},
        {"01 slika", "02 slika", "03 slika"},
        {"01 Foto", "02 Foto", "03 Foto"},
        {"01 Photo", "02 Photo", "03 Photo"},
        {"01 Foto", "02 Foto", "03 Foto"},
    }},
    {OptionTexts::TimeStamp, {
        {"开", "关"},
        {"On", "Off"},
        {"Ein", "Aus"},
        {"paalla", "pois"},
        {"ON", "OFF"},
        {"Marche", "Arret"},
        {"Be", "Off"},
        {"Vklop", "Izklop"},
        {"Zapnuto", "Vypnuto"},
        {"オン", "オフ"},
        {"TAIP", "NE"},
    }},
    {OptionTexts::SenseLevel, {
        {"正常", "高", "低", "关闭"},
        {"Normal", "High", "Low", "Off"},
        {"Normal", "Hoch", "Niedring", "Aus"},
        {"normaali", "korkea", "matala", "pois"},
        {"Normale", "Alta", "Bassa", "OFF"},
        {"Normal", "Eleve", "Bas", "Arret"},
        {"Normul", "Magas", "Alacsony", "Ki"},
        {"Normalna", "Visoka", "Nizka", "Izklop"},
        {"Normalni", "Vsoka", "Nizka", "Vypnuto"},
        {"中", "高", "低", "オフ"},
        {"Normalus", "Aukstas", "Zemas", "NE"},
    }},
    {OptionTexts::OffOn, {
        {"关", "开"},
        {"Off", "On"},
        {"Aus", "Ein"},
        {"pois", "paalla"},
        {"OFF", "ON"},
        {"Arret", "Marche"},
        {"Ki", "Be"},
        {"Izklop", "Vklop"},
        {"Vypnuto", "Zapnuto"},
        {"オフ", "オン"},
        {"NE", "TAIP"},
    }},
    {OptionTexts::MmsStatus, {
        {"关闭", "MMS", "GPRS", "SMS"},
        {"Off", "MMS", "GPRS", "SMS"},
        {"Aus", "MMS", "GPRS", "SMS"},
        {"pois", "MMS", "GPRS", "SMS"},
        {"OFF", "MMS", "GPRS", "SMS"},
        {"Arret", "MMS", "GPRS", "SMS"},
        {"Off", "MMS", "GPRS", "SMS"},
        {"Izklop", "MMS", "GPRS", "SMS"},
        {"Vypnuto", "MMS", "GPRS", "SMS"},
        {"オフ", "MMS", "GPRS", "SMS"},
        {"NE", "MMS", "GPRS", "SMS"},
    }},
    {OptionTexts::IrLight, {
        {"高", "低"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
        {"High", "Low"},
    }},
    {OptionTexts::SdCycle, {
        {"关闭", "打开"},
        {"Off", "On"},
        {"Aus", "Ein"},
        {"pois", "paalla"},
        {"OFF", "ON"},
        {"Arret", "Marche"},
        {"Off", "Be"},
        {"Izklop", "paalla"},
        {"Vypnuto", "Zapnuto"},
        {"オフ", "オン"},
        {"NE", "TAIP"},
    }},
};

constexpr bool OptionRowsInOrder()
{
    for (std::size_t i = 0; i < std::size(kOptionRows); ++i) {
        if (static_cast<std::size_t>(kOptionRows[i].texts) != i)
            return false;
    }
    return true;
}
static_assert(OptionRowsInOrder(), "option rows must follow the OptionTexts order");

QStringList Entries(const char* const* texts, int count)
{
    QStringList list;
    for (int i = 0; i < count && texts[i] != nullptr; ++i)
        list << QString::fromUtf8(texts[i]);
    return list;
}

QStringList OptionEntries(int language, OptionTexts texts)
{
    const auto& row = kOptionRows[static_cast<std::size_t>(texts)];
    return Entries(row.entries[CameraTextLanguage(language) - 1], 4);
}

// Video Length and PIR Interval carry Chinese units only for Chinese; every
// other language, Japanese included, reads the English ones.
QString SecondsUnit(int language)
{
    return CameraTextLanguage(language) == kLanguageChinese ? QStringLiteral("秒") : QStringLiteral("Sec");
}

QString MinutesUnit(int language)
{
    return CameraTextLanguage(language) == kLanguageChinese ? QStringLiteral("分") : QStringLiteral("Min");
}

// "30 Sec": the number (from 0 up), a blank and the unit. Written straight
// into each entry, one allocation apiece: these lists have up to 120 entries.
void AppendCounts(QStringList& list, int from, int to, const QString& unit)
{
    for (int count = from; count <= to; ++count) {
        qsizetype digits = 1;
        for (int rest = count / 10; rest > 0; rest /= 10)
            ++digits;
        QString entry(digits + 1 + unit.size(), Qt::Uninitialized);
        QChar* out = entry.data();
        for (int rest = count, i = digits - 1; i >= 0; rest /= 10, --i)
            out[i] = QLatin1Char(static_cast<char>('0' + rest % 10));
        out[digits] = QLatin1Char(' ');
        std::copy(unit.cbegin(), unit.cend(), out + digits + 1);
        list.append(std::move(entry));
    }
}

QStringList VideoLengthEntries(int language)
{
    QStringList list;
    list.reserve(60);
    AppendCounts(list, 1, 60, SecondsUnit(language));
    return list;
}

QStringList PirIntervalEntries(int language)
{
    QStringList list;
    list.reserve(120);
    AppendCounts(list, 0, 59, SecondsUnit(language));
    AppendCounts(list, 1, 60, MinutesUnit(language));
    return list;
}

QStringList SerialCharacterEntries()
{
    QStringList list;
    for (char c = '0'; c <= '9'; ++c)
        list << QString(QLatin1Char(c));
    for (char c = 'A'; c <= 'Z'; ++c)
        list << QString(QLatin1Char(c));
    return list;
}

} // namespace

int CameraTextLanguage(int language)
{
    return language >= 1 && language <= kLanguages ? language : kLanguageEnglish;
}

const char* CameraTemplateText(CameraLabel label)
{
    switch (label) {
    case CameraLabel::HourUnit:
        return "Hour";
    case CameraLabel::MinuteUnit:
        return "Min";
    case CameraLabel::SecondUnit:
        return "Sec";
    default:
        // Every other template text is the English one.
        return kLabelRows[static_cast<std::size_t>(label)].texts[kLanguageEnglish - 1];
    }
}

const char* CameraLanguageText(int language, CameraLabel label)
{
    return kLabelRows[static_cast<std::size_t>(label)].texts[CameraTextLanguage(language) - 1];
}

QString CameraLabelText(int language, CameraLabel label)
{
    const char* own = CameraLanguageText(language, label);
    return QString::fromUtf8(own != nullptr ? own : CameraTemplateText(label));
}

QStringList CameraListEntries(int language, CameraList list)
{
    switch (list) {
    case CameraList::Mode:
        return OptionEntries(language, OptionTexts::Mode);
    case CameraList::ImageSize:
        return {QStringLiteral("12MP"), QStringLiteral("5MP"), QStringLiteral("1.3MP")};
    case CameraList::VideoSize:
        return {QStringLiteral("1280x720"), QStringLiteral("640x480"), QStringLiteral("320x240")};
    case CameraList::PictureNo:
        return OptionEntries(language, OptionTexts::PictureNo);
    case CameraList::TimeStamp:
        return OptionEntries(language, OptionTexts::TimeStamp);
    case CameraList::SenseLevel:
        return OptionEntries(language, OptionTexts::SenseLevel);
    case CameraList::BeepSound:
    case CameraList::Timer1:
    case CameraList::Timer2:
    case CameraList::SerialNo:
        return OptionEntries(language, OptionTexts::OffOn);
    case CameraList::VideoLength:
        return VideoLengthEntries(language);
    case CameraList::PirInterval:
        return PirIntervalEntries(language);
    case CameraList::SdCycle:
        return OptionEntries(language, OptionTexts::SdCycle);
    case CameraList::IrLight:
        return OptionEntries(language, OptionTexts::IrLight);
    case CameraList::MmsStatus:
        return OptionEntries(language, OptionTexts::MmsStatus);
    case CameraList::SerialChar1:
    case CameraList::SerialChar2:
    case CameraList::SerialChar3:
    case CameraList::SerialChar4:
        return SerialCharacterEntries();
    case CameraList::TimeLapse: {
        QStringList entries = OptionEntries(language, OptionTexts::OffOn);
        std::reverse(entries.begin(), entries.end());
        return entries;
    }
    }
    return {};
}

QString CameraSavedMessage(int language)
{
    return language == kLanguageChinese ? QStringLiteral("相机菜单设置文件已经保存")
                         : QStringLiteral("Save All Parameters To Camera Setting File");
}

QString CameraDefaultSavedMessage(int language)
{
    return language == kLanguageChinese ? QStringLiteral("相机初始化设置文件已经保存")
                         : QStringLiteral("Save All Default Parameters To Camera Setting File");
}

// clang-format on
} // namespace kestra
