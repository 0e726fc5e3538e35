#include "messaging/GprsOperatorTable.h"

// The GPRS country list and operator presets of the SMTP window's Auto mode.
// Country order, operator order and names are fixed: gprs.dat stores the
// indexes. The access values come from a public APN database;
// GprsOperatorTable.md says for each row where, and carries its notice.

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
    {0, 0, "Optus", "", "", ""},
    {0, 1, "Telstra", "", "", ""},
    {0, 2, "Vodafone", "", "", ""},
    {1, 0, "Proximus", "", "", ""},
    {1, 1, "Mobistar", "", "", ""},
    {2, 0, "Brazil Telecom", "", "", ""},
    {2, 1, "Claro", "", "", ""},
    {3, 0, "Globul", "", "", ""},
    {3, 1, "Mtel", "", "", ""},
    {4, 0, "China Mobile", "", "", ""},
    {4, 1, "China Unicom", "", "", ""},
    {5, 0, "Fido", "", "", ""},
    {5, 1, "Rogers", "", "", ""},
    {6, 0, "Cyta", "", "", ""},
    {7, 0, "VIPNet", "", "", ""},
    {8, 0, "Eurotel", "", "", ""},
    {8, 1, "O2", "", "", ""},
    {9, 0, "Vodafone", "", "", ""},
    {9, 1, "T-Mobile", "", "", ""},
    {10, 0, "TDC", "", "", ""},
    {10, 1, "Telia", "", "", ""},
    {11, 0, "MobilNil", "", "", ""},
    {11, 1, "Vodafone", "", "", ""},
    {12, 0, "EMT", "", "", ""},
    {12, 1, "ELISA", "", "", ""},
    {12, 2, "TELE2", "", "", ""},
    {13, 0, "Radiolinja", "", "", ""},
    {13, 1, "DNA", "", "", ""},
    {14, 0, "Bouygues", "", "", ""},
    {14, 1, "Orange", "", "", ""},
    {15, 0, "T-Cosmote", "", "", ""},
    {15, 1, "Vodafone", "", "", ""},
    {16, 0, "Pannon (contract)", "", "", ""},
    {16, 1, "Vodafone", "", "", ""},
    {16, 2, "T-Mobile", "", "", ""},
    {17, 0, "TIM", "", "", ""},
    {17, 1, "Vodafone", "", "", ""},
    {18, 0, "Meteor", "", "", ""},
    {18, 1, "Vodafone", "", "", ""},
    {19, 0, "Idea", "", "", ""},
    {19, 1, "BPL", "", "", ""},
    {20, 0, "Omnitel", "", "", ""},
    {20, 1, "Bite", "", "", ""},
    {21, 0, "LMT", "", "", ""},
    {22, 0, "MTC", "", "", ""},
    {23, 0, "Netcom", "", "", ""},
    {23, 1, "Telenor", "", "", ""},
    {24, 0, "T-Mobile", "", "", ""},
    {24, 1, "Vodafone", "", "", ""},
    {25, 0, "Vodafone", "", "", ""},
    {26, 0, "A1", "", "", ""},
    {26, 1, "T-Mobile", "", "", ""},
    {27, 0, "Optimus", "", "", ""},
    {27, 1, "Vodafone", "", "", ""},
    {28, 0, "ERA", "", "", ""},
    {28, 1, "Orange", "", "", ""},
    {29, 0, "MTS", "", "", ""},
    {29, 1, "Beeline", "", "", ""},
    {30, 0, "Orange", "", "", ""},
    {31, 0, "Orange", "", "", ""},
    {31, 1, "Sunrise", "", "", ""},
    {31, 2, "Swisscom", "", "", ""},
    {32, 0, "Cell C", "", "", ""},
    {32, 1, "Vodacom", "", "", ""},
    {33, 0, "Amena", "", "", ""},
    {33, 1, "Vodafone", "", "", ""},
    {34, 0, "T-Mobile", "", "", ""},
    {34, 1, "Orange", "", "", ""},
    {34, 2, "O2", "", "", ""},
    {35, 0, "Telenor", "", "", ""},
    {35, 1, "Telia", "", "", ""},
    {35, 2, "Tele2", "", "", ""},
    {36, 0, "Mobitel", "", "", ""},
    {36, 1, "Simobil", "", "", ""},
    {36, 2, "Tusmobil", "", "", ""},
    {36, 3, "izimobil", "", "", ""},
    {36, 4, "Bob", "", "", ""},
    {37, 0, "Avea", "", "", ""},
    {37, 1, "Turkcell", "", "", ""},
    {38, 0, "T-Mobile", "", "", ""},
    {38, 1, "AT&T", "", "", ""},
    {39, 0, "Vodafone", "", "", ""},
    {39, 1, "O2", "", "", ""},
    {39, 2, "T-Mobile", "", "", ""},
    {40, 0, "KiyvStar", "", "", ""},
    {40, 1, "MTS", "", "", ""},
    {40, 2, "LIFE", "", "", ""},
}};

} // namespace kestra::gprs_table
