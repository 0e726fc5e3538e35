// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsOperatorTable.h"

// The GPRS country list and operator presets of the SMTP window's Auto mode.
// Country order, operator order and names are fixed: gprs.dat stores the
// indexes. The access values come from the Android APN database (Apache License
// 2.0, copyright 2006 Google Inc. and 2016-2024 The LineageOS Project);
// GprsOperatorTable.md says for each row where, and carries the full notice.

// clang-format off
namespace kestra::gprs_table {

const std::array<CountryRow, 41> kCountries{{
    {"Australia", 3}, // 0
    {"Belgium", 2}, // 1
    {"Brazil", 2}, // 2
    {"Bulgaria", 2}, // 3
    {"China", 2}, // 4
    {"Canada", 2}, // 5
    {"Cyprus", 1}, // 6
    {"Croatia", 1}, // 7
    {"Ceska republika", 2}, // 8
    {"Deutschland", 2}, // 9
    {"Denmark", 2}, // 10
    {"Egypt", 2}, // 11
    {"Estonia", 3}, // 12
    {"Finland", 2}, // 13
    {"France", 2}, // 14
    {"Greece", 2}, // 15
    {"Hungary", 3}, // 16
    {"Italy", 2}, // 17
    {"Ireland", 2}, // 18
    {"India", 2}, // 19
    {"Lithuania", 2}, // 20
    {"Latvia", 1}, // 21
    {"Namibia", 1}, // 22
    {"Norway", 2}, // 23
    {"Netherlands", 2}, // 24
    {"New Zealand", 1}, // 25
    {"Oesterreich", 2}, // 26
    {"Portugal", 2}, // 27
    {"Poland", 2}, // 28
    {"Russia", 2}, // 29
    {"Romania", 1}, // 30
    {"Schweiz", 3}, // 31
    {"South Africa", 2}, // 32
    {"Spain", 2}, // 33
    {"Slovakia", 3}, // 34
    {"Sweden", 3}, // 35
    {"Slovenia", 5}, // 36
    {"Turkey", 2}, // 37
    {"United States", 2}, // 38
    {"United Kingdom", 3}, // 39
    {"Ukraine", 3}, // 40
}};

// country, slot, name, apn, account, password
const std::array<OperatorRow, kOperatorTotal> kOperators{{
    {0, 0, "Optus", "yesinternet", "", ""},
    {0, 1, "Telstra", "telstra.internet", "", ""},
    {0, 2, "Vodafone", "vfinternet.au", "", ""},
    {1, 0, "Proximus", "internet.proximus.be", "internet.proximus.be", "internet.proximus.be"},
    {1, 1, "Mobistar", "mworld.be", "mobistar", "mobistar"},
    {2, 0, "Brazil Telecom", "gprs.oi.com.br", "oi", "oi"},
    {2, 1, "Claro", "java.claro.com.br", "claro", "claro"},
    {3, 0, "Globul", "globul", "globul", ""},
    {3, 1, "Mtel", "inet-gprs.mtel.bg", "", ""},
    {4, 0, "China Mobile", "cmnet", "", ""},
    {4, 1, "China Unicom", "3gnet", "", ""},
    {5, 0, "Fido", "ltemobile.apn", "fido", "fido"},
    {5, 1, "Rogers", "ltemobile.apn", "wapuser1", "wap"},
    {6, 0, "Cyta", "cytamobile", "user", "pass"},
    {7, 0, "VIPNet", "data.vip.hr", "38591", "38591"},
    {8, 0, "Eurotel", "internet", "", ""},
    {8, 1, "O2", "internet", "", ""},
    {9, 0, "Vodafone", "web.vodafone.de", "vodafone", "vodafone"},
    {9, 1, "T-Mobile", "internet.telekom", "telekom", "telekom"},
    {10, 0, "TDC", "internet", "internet", "internet"},
    {10, 1, "Telia", "www.internet.mtelia.dk", "www.internet.mtelia.dk", "www.internet.mtelia.dk"},
    {11, 0, "MobilNil", "mobinilweb", "", ""},
    {11, 1, "Vodafone", "internet.vodafone.net", "internet", "internet"},
    {12, 0, "EMT", "internet.emt.ee", "internet.emt.ee", ""},
    {12, 1, "ELISA", "internet", "internet", ""},
    {12, 2, "TELE2", "internet.tele2.ee", "wap", ""},
    {13, 0, "Radiolinja", "internet", "internet", "internet"},
    {13, 1, "DNA", "internet", "", ""},
    {14, 0, "Bouygues", "ebouygtel.com", "", ""},
    {14, 1, "Orange", "orange.fr", "orange", "orange"},
    {15, 0, "T-Cosmote", "internet", "", ""},
    {15, 1, "Vodafone", "internet.vodafone.gr", "", ""},
    {16, 0, "Pannon (contract)", "net", "", ""},
    {16, 1, "Vodafone", "internet.vodafone.net", "internet.vodafone.net", "internet.vodafone.net"},
    {16, 2, "T-Mobile", "internet", "internet", "internet"},
    {17, 0, "TIM", "ibox.tim.it", "", ""},
    {17, 1, "Vodafone", "mobile.vodafone.it", "", ""},
    {18, 0, "Meteor", "data.mymeteor.ie", "", ""},
    {18, 1, "Vodafone", "isp.vodafone.ie", "vodafone", "vodafone"},
    {19, 0, "Idea", "internet", "", ""},
    {19, 1, "BPL", "mizone", "mizone", ""},
    {20, 0, "Omnitel", "omnitel", "omni", "omni"},
    {20, 1, "Bite", "banga", "banga", "banga"},
    {21, 0, "LMT", "internet.lmt.lv", "", ""},
    {22, 0, "MTC", "internet", "internet", "internet"},
    {23, 0, "Netcom", "netcom", "", ""},
    {23, 1, "Telenor", "telenor.smart", "", ""},
    {24, 0, "T-Mobile", "internet", "", ""},
    {24, 1, "Vodafone", "live.vodafone.com", "vodafone", "vodafone"},
    {25, 0, "Vodafone", "www.vodafone.net.nz", "", ""},
    {26, 0, "A1", "a1.net", "ppp@a1plus.at", ""},
    {26, 1, "T-Mobile", "internet.t-mobile.at", "t-mobile", ""},
    {27, 0, "Optimus", "umts", "", ""},
    {27, 1, "Vodafone", "net2.vodafone.pt", "", ""},
    {28, 0, "ERA", "erainternet", "erainternet", "erainternet"},
    {28, 1, "Orange", "internet", "internet", "internet"},
    {29, 0, "MTS", "internet.mts.ru", "mts", "mts"},
    {29, 1, "Beeline", "internet.beeline.ru", "beeline", "beeline"},
    {30, 0, "Orange", "net", "net", "net"},
    {31, 0, "Orange", "internet", "", ""},
    {31, 1, "Sunrise", "internet", "internet", "internet"},
    {31, 2, "Swisscom", "", "", ""},
    {32, 0, "Cell C", "internet", "", ""},
    {32, 1, "Vodacom", "internet", "", ""},
    {33, 0, "Amena", "orangeworld", "orange", "orange"},
    {33, 1, "Vodafone", "airtelnet.es", "vodafone", "vodafone"},
    {34, 0, "T-Mobile", "internet", "", ""},
    {34, 1, "Orange", "internet", "", ""},
    {34, 2, "O2", "o2internet", "", ""},
    {35, 0, "Telenor", "internet.telenor.se", "", ""},
    {35, 1, "Telia", "online.telia.se", "", ""},
    {35, 2, "Tele2", "4g.tele2.se", "4g.tele2.se", "4g.tele2.se"},
    {36, 0, "Mobitel", "internet", "mobitel", "internet"},
    {36, 1, "Simobil", "internet.simobil.si", "simobil", "internet"},
    {36, 2, "Tusmobil", "internet.tusmobil.si", "tusmobil", "internet"},
    {36, 3, "izimobil", "internet", "mobitel", "internet"},
    {36, 4, "Bob", "internet.simobil.si", "simobil", "internet"},
    {37, 0, "Avea", "internet", "", ""},
    {37, 1, "Turkcell", "internet", "", ""},
    {38, 0, "T-Mobile", "fast.t-mobile.com", "", ""},
    {38, 1, "AT&T", "wap.cingular", "WAP@CINGULARGPRS.COM", "CINGULAR1"},
    {39, 0, "Vodafone", "internet", "web", "web"},
    {39, 1, "O2", "mobile.o2.co.uk", "", ""},
    {39, 2, "T-Mobile", "everywhere", "eesecure", "secure"},
    {40, 0, "KiyvStar", "www.kyivstar.net", "", ""},
    {40, 1, "MTS", "internet", "", ""},
    {40, 2, "LIFE", "internet", "", ""},
}};

// clang-format on
} // namespace kestra::gprs_table
