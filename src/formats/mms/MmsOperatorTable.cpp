// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsOperatorTable.h"

// The MMS country list and operator presets. Country order, slot order, names
// and ports are fixed: mms.dat stores the country and slot indexes, and the
// camera looks nothing up by name. The connection values come from the Android
// APN database (Apache License 2.0, copyright 2006 Google Inc. and 2016-2024 The
// LineageOS Project); MmsOperatorTable.md says for each row where, and carries
// the full notice.

// clang-format off
namespace kestra::mms_table {

const std::array<CountryRow, 42> kCountries{{
    {"Australia", 3}, // 0
    {"Belgium", 2}, // 1
    {"Brazil", 1}, // 2
    {"Bulgaria", 2}, // 3
    {"China", 2}, // 4
    {"Canada", 2}, // 5
    {"Cyprus", 1}, // 6
    {"Croatia", 2}, // 7
    {"Ceska republika", 2}, // 8
    {"Cayman Islands", 1}, // 9
    {"Deutschland", 3}, // 10
    {"Denmark", 3}, // 11
    {"Egypt", 2}, // 12
    {"Estonia", 3}, // 13
    {"Finland", 3}, // 14
    {"France", 3}, // 15
    {"Greece", 2}, // 16
    {"Hungary", 2}, // 17
    {"Italy", 2}, // 18
    {"Ireland", 2}, // 19
    {"India", 3}, // 20
    {"Lithuania", 3}, // 21
    {"Latvia", 1}, // 22
    {"Namibia", 1}, // 23
    {"Norway", 3}, // 24
    {"Netherlands", 2}, // 25
    {"New Zealand", 1}, // 26
    {"Oesterreich", 2}, // 27
    {"Portugal", 2}, // 28
    {"Poland", 3}, // 29
    {"Russia", 2}, // 30
    {"Romania", 1}, // 31
    {"Schweiz", 3}, // 32
    {"South Africa", 4}, // 33
    {"Spain", 4}, // 34
    {"Slovakia", 3}, // 35
    {"Sweden", 3}, // 36
    {"Slovenia", 3}, // 37
    {"Turkey", 2}, // 38
    {"United States", 2}, // 39
    {"United Kingdom", 5}, // 40
    {"Ukraine", 5}, // 41
}};

// country, slot, name, url, apn, gateway, port, account, password
const std::array<OperatorRow, kOfferedOperatorTotal> kOperators{{
    {0, 0, "Optus", "http://mmsc.optus.com.au:8002/", "mms", "61.88.190.10", "8070", "", ""},
    {0, 1, "Telstra", "http://mmsc.telstra.com:8002", "telstra.mms", "10.1.1.180", "80", "", ""},
    {0, 2, "Mic1", "http://pxt.vodafone.net.au/pxtsend", "live.vodafone.com", "10.202.2.60", "9201", "*", "*"},
    {1, 0, "Proximus", "http://mmsc.proximus.be/mms", "event.proximus.be", "10.55.14.75", "80", "", ""},
    {1, 1, "Mobistar", "http://mmsc.mobistar.be", "mms.be", "212.65.63.143", "8080", "", ""},
    {2, 0, "Brazil Telecom", "http://200.222.42.204:8002/", "mmsgprs.oi.com.br", "192.168.10.50", "8080", "oimms", "oioioi"},
    {3, 0, "Globul", "http://mmsc1.mms.globul.bg:8002", "mms.globul.bg", "192.168.87.11", "8004", "mms", ""},
    {3, 1, "Mtel", "http://mmsc/", "mms-gprs.mtel.bg", "10.150.0.33", "8080", "mtel", "mtel"},
    {4, 0, "China Mobile", "http://mmsc.monternet.com", "cmwap", "10.0.0.172", "80", "", ""},
    {4, 1, "China Unicom", "http://mmsc.myuni.com.cn", "3gwap", "10.0.0.172", "80", "", ""},
    {5, 0, "Fido", "http://mms.fido.ca", "netsvcs", "205.151.11.13", "8080", "fido", "fido"},
    {5, 1, "Rogers", "http://mms.gprs.rogers.com", "netsvcs", "10.128.1.69", "8080", "wapuser1", "wap"},
    {6, 0, "Cyta", "http://mmsc.cyta.com.cy", "cytamobile", "212.31.96.161", "8080", "user", ""},
    {7, 0, "VIPNet", "http://mms.vipnet.hr/servlets/mms", "mms.vipnet.hr", "212.91.99.91", "8080", "", ""},
    {7, 1, "T-mobile HR", "http://mms.t-mobile.hr/servlets/mms", "mms.htgprs", "10.12.0.4", "8080", "", ""},
    {8, 0, "Eurotel", "http://mms.eurotel.cz:8002", "mms", "160.218.160.218", "8080", "", ""},
    {8, 1, "O2", "http://mms.o2active.cz:8002", "mms", "160.218.160.218", "8080", "", ""},
    {9, 0, "Digicel", "http://mms.digicelgroup.com", "wap", "172.16.7.12", "8080", "wapcay", "wap03cay"},
    {10, 0, "Vodafone", "http://139.7.24.1/servlets/mms", "event.vodafone.de", "139.7.29.17", "80", "", ""},
    {10, 1, "T-Mobile", "http://mms.t-mobile.de/servlets/mms", "internet.telekom", "109.237.176.193", "8008", "telekom", "telekom"},
    {10, 2, "E-Plus", "http://mms/eplus/", "mms.eplus.de", "212.23.97.153", "8080", "mms", "eplus"},
    {11, 0, "Sonofon", "http://mms.telenor.dk", "telenor", "212.88.64.8", "8080", "", ""},
    {11, 1, "TDC", "http://mmsc.tdc.dk:8002", "mms", "194.182.251.15", "8080", "", ""},
    {11, 2, "Telia", "http://mms.telia.dk", "www.mms.mtelia.dk", "193.209.134.131", "8080", "", ""},
    {12, 0, "MobilNil", "http://10.7.13.24:8002/", "mobinilmms", "62.241.155.45", "8080", "", ""},
    {12, 1, "Vodafone", "http://mms.vodafone.com.eg/servlets/mms", "mms.vodafone.com.eg", "163.121.178.2", "8080", "", ""},
    {13, 0, "EMT", "http://mms.emt.ee/servlets/mms", "mms.emt.ee", "217.71.32.82", "8080", "", ""},
    {13, 1, "ELISA", "http://194.204.2.10", "mms", "194.204.2.6", "8000", "", ""},
    {13, 2, "TELE2", "http://mmsc.tele2.ee", "mms.tele2.ee", "193.12.40.6", "9201", "", ""},
    {14, 0, "Alands", "http://mms.amt.aland.fi", "mms", "194.110.177.70", "8080", "", ""},
    {14, 1, "DNA", "http://mmsc.dnafinland.fi", "mms", "10.1.1.2", "8080", "dna", "mms"},
    {14, 2, "Sonera", "http://mms.sonera.fi:8002", "wap.sonera.net", "195.156.25.33", "80", "", ""},
    {15, 0, "Bouygues", "mms.bouyguestelecom.fr/mms/wapenc", "mmsbouygtel.com", "62.201.129.226", "8080", "", ""},
    {15, 1, "Orange", "http://mms.orange.fr", "orange.acte", "192.168.10.200", "8080", "orange", "orange"},
    {15, 2, "SFR", "http://mms1", "mmssfr", "10.151.0.1", "8080", "", ""},
    {16, 0, "T-Cosmote", "http://mmsc.cosmote.gr:8002", "mms", "10.10.10.20", "8080", "", ""},
    {16, 1, "Vodafone", "http://mms.vodafone.gr", "mms.vodafone.net", "213.249.19.49", "8080", "user", "pass"},
    {17, 0, "T-Mobile", "http://mms.t-mobile.hu/servlets/mms", "mms", "212.51.126.10", "8080", "", ""},
    {17, 1, "Vodafone", "http://mms.vodafone.hu/servlets/mms", "mms.vodafone.net", "80.244.97.2", "8080", "vodafone", "vodafone"},
    {18, 0, "TIM", "http://mms.tim.it/servlets/mms", "mms.tim.it", "213.230.130.89", "80", "", ""},
    {18, 1, "Vodafone", "http://mms.vodafone.it/servlets/mms", "mms.vodafone.it", "10.128.224.10", "8080", "", ""},
    {19, 0, "Meteor", "http://mms.mymeteor.ie", "mms.mymeteor.ie", "10.85.85.85", "8799", "my", "meteor"},
    {19, 1, "Vodafone", "http://www.vodafone.ie/mms", "mms.vodafone.net", "10.24.59.200", "80", "vodafone", "vodafone"},
    {20, 0, "Idea", "http://10.4.42.21:8002", "mmsc", "10.4.42.15", "8080", "", ""},
    {20, 1, "CellOne", "http://10.7.236.11:8514", "mmssouth.cellone.in", "10.7.236.11", "8080", "MSISDN", "mmsc"},
    {20, 2, "BPL", "http://mms.bplmobile.com:8080", "mizone", "10.0.0.10", "8080", "", ""},
    {21, 0, "Omnitel", "http://mms.omnitel.net:8002/", "gprs.mms.lt", "194.176.32.149", "8080", "mms", "mms"},
    {21, 1, "Omnitel Ezio", "http://mms.omnitel.net:8002/", "gprs.mms.lt", "194.176.32.149", "8080", "mms", "mms"},
    {21, 2, "Tele2 Pildyk", "http://mmsc.tele2.lt/", "mms.tele2.lt", "193.12.40.29", "8080", "", ""},
    {22, 0, "Okarte", "http://mmsc.lmt.lv/mmsc", "internet.lmt.lv", "212.93.97.201", "80", "", ""},
    {23, 0, "MTC", "http://mms.mtc.com.na", "mms", "10.0.0.10", "80", "mms", "mms"},
    {24, 0, "Netcom", "http://mm/", "netcom", "212.169.66.4", "8080", "netcom", "netcom"},
    {24, 1, "Telenor", "http://mmsc/", "telenor", "10.10.10.11", "8080", "", ""},
    {24, 2, "Onecall", "http://mmsc/", "telenor", "10.10.10.11", "80", "", ""},
    {25, 0, "T-Mobile", "http://t-mobilemms", "mms", "10.10.10.11", "8080", "tmobilemms", "tmobilemms"},
    {25, 1, "Vodafone", "http://mmsc.mms.vodafone.nl", "office.vodafone.nl", "192.168.251.150", "8799", "vodafone", "vodafone"},
    {26, 0, "Vodafone", "http://pxt.vodafone.net.nz/pxtsend", "live.vodafone.com", "172.30.38.3", "8080", "", ""},
    {27, 0, "A1", "http://mmsc.A1.net", "free.A1.net", "194.48.124.71", "8001", "", ""},
    {27, 1, "T-Mobile", "http://mmsc.t-mobile.at/servlets/mms", "gprsmms", "10.12.0.20", "80", "", ""},
    {28, 0, "Optimus", "http://mmsc:10021/mmsc", "mms", "62.169.66.5", "8799", "", ""},
    {28, 1, "Vodafone", "http://mms/servlets/mms", "vas.vodafone.pt", "213.30.27.63", "8799", "vas", "vas"},
    {29, 0, "ERA", "http://mms.era.pl/servlets/mms", "eramms", "213.158.194.226", "8080", "eramms", "eramms"},
    {29, 1, "Orange", "http://mms.orange.pl", "mms", "192.168.6.104", "8080", "mms", "mms"},
    {29, 2, "Plus", "http://mms.plusgsm.pl:8002", "mms", "212.2.96.16", "8080", "", ""},
    {30, 0, "A Mobile", "http://mmsc", "mms.mts.ru", "192.168.192.192", "9201", "mts", ""},
    {30, 1, "Beeline", "http://mms/", "mms.beeline.ru", "192.168.94.23", "9201", "beeline", "beeline"},
    {31, 0, "Orange", "http://wap.mms.orange.ro:8002", "mms", "62.217.247.252", "8080", "", ""},
    {32, 0, "Orange", "http://192.168.151.3:8002", "mms", "192.168.151.2", "8080", "", ""},
    {32, 1, "Sunrise", "http://mmsc.sunrise.ch", "mms.sunrise.ch", "212.35.34.75", "8080", "mms", "mms"},
    {32, 2, "Swisscom", "http://mms.natel.ch:8079", "event.swisscom.ch", "192.168.210.2", "8080", "", ""},
    {33, 0, "Cell C", "http://mms.cmobile.co.za", "mms", "196.31.116.250", "8080", "", ""},
    {33, 1, "Virgin", "http://mms.virginmobile.co.za", "vmms", "196.31.116.242", "8080", "", ""},
    {33, 2, "MTN", "http://mms.mtn.co.za/mms/wapenc", "myMTN", "196.11.240.241", "8080", "mtnmms", "mtnmms"},
    {33, 3, "Vodacom", "http://mmsc.vodacom4me.co.za/", "mms.vodacom.net", "196.6.128.13", "8080", "", ""},
    {34, 0, "Orange", "http://mms.orange.es", "orangemms", "172.22.188.25", "8080", "orange", "orange"},
    {34, 1, "Vodafone", "http://mmsc.vodafone.es/servlets/mms", "mms.vodafone.net", "212.73.32.10", "80", "wap@wap", "wap125"},
    {34, 2, "Telstra", "http://mmss/", "mms", "193.209.134.141", "8080", "", ""},
    {34, 3, "Movistar", "http://mms.movistar.com", "telefonica.es", "10.138.255.5", "8080", "telefonica", "telefonica"},
    {35, 0, "T-Mobile", "http://mms", "mms", "192.168.1.1", "8080", "mms", "mms"},
    {35, 1, "Orange", "http://imms.orange.sk", "mms", "213.151.208.145", "8799", "wap", "wap"},
    {35, 2, "O2", "http://mms.o2world.sk:8002", "o2mms", "10.97.1.11", "8080", "", ""},
    {36, 0, "Telenor", "http://mms", "services.telenor.se", "172.30.253.241", "8799", "", ""},
    {36, 1, "Telia", "http://mmss/", "mms.telia.se", "193.209.134.132", "8080", "mms", "mms"},
    {36, 2, "Tele2 ", "http://mmsc.tele2.se", "4g.tele2.se", "130.244.202.30", "8080", "", ""},
    {37, 0, "Mobitel", "http://mms.mobitel.si/servlets/mms", "internet", "213.229.249.40", "8080", "mobitel", "internet"},
    {37, 1, "Izi Mobil", "http://mms.mobitel.si/servlets/mms", "internet", "213.229.249.40", "8080", "mobitel", "internet"},
    {37, 2, "Si Mobil", "http://mmc", "mms.simobil.si", "80.95.224.46", "9201", "simobil", "internet"},
    {38, 0, "Avea", "http://mms.avea.com.tr/servlets/mms", "mms", "213.161.151.201", "8080", "mms", "mms"},
    {38, 1, "Turkcell", "http://mms.turkcell.com.tr/servlets/mms", "mms", "212.252.169.217", "8080", "mms", "mms"},
    {39, 0, "T-Mobile", "http://216.155.174.84/servlets/mms", "wap.voicestream.com", "216.155.165.50", "8080", "", ""},
    {39, 1, "AT&T", "http://mmsc.cingular.com", "wap.cingular", "66.209.11.32", "80", "WAP@CINGULARGPRS.COM", "CINGULAR1"},
    {40, 0, "Vodafone", "http://mms.vodafone.co.uk/servlets/mms", "wap.vodafone.co.uk", "212.183.137.12", "9201", "wap", "wap"},
    {40, 1, "O2", "http://mmsc.mms.o2.co.uk:8002", "wap.o2.co.uk", "193.113.200.195", "8080", "o2wap", "password"},
    {40, 2, "O2 Payandgo", "http://mmsc.mms.o2.co.uk:8002", "payandgo.o2.co.uk", "193.113.200.195", "8080", "payandgo", "password"},
    {40, 3, "Orange", "http://mms.orange.co.uk/", "orangemms", "192.168.224.10", "8080", "Orange", "Multimedia"},
    {40, 4, "Three", "http://mms.um.three.co.uk:10021/mmsc", "three.co.uk", "217.171.129.2", "8799", "", ""},
    {41, 0, "KiyvStar", "http://mms.kyivstar.net", "mms.kyivstar.net", "10.10.10.10", "8080", "mms", "mms"},
    {41, 1, "MTS", "http://mms", "mms", "192.168.10.10", "8080", "", ""},
    {41, 2, "LIFE", "http://mms.life", "mms", "10.10.10.10", "8080", "", ""},
    {41, 3, "Beeline UA", "http://mms.kyivstar.net/", "mms.kyivstar.net", "10.10.10.10", "8080", "", ""},
    {41, 4, "UMC Ukraine", "http://mms", "mms", "192.168.10.10", "8080", "", ""},
}};

// clang-format on
} // namespace kestra::mms_table
