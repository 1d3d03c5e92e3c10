#include "registry/short_name.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Organisations as the listings spell them, and their short names.
TEST(ShortName, RealOrganisations) {
    const std::pair<const char*, const char*> kCases[] = {
        {"Apple, Inc.", "Apple"},
        {"Cisco Systems, Inc", "CiscoSystems"},
        {"Intel Corporate", "Intel"},
        {"IBM Corp", "IBM"},
        {"Dell Inc.", "Dell"},
        {"Siemens AG", "Siemens"},
        {"Espressif Inc.", "Espressif"},
        {"Hewlett Packard", "HewlettPacka"},
        {"Juniper Networks", "JuniperNetwo"},
        {"HUAWEI TECHNOLOGIES CO.,LTD", "HuaweiTechno"},
        {"TP-LINK TECHNOLOGIES CO.,LTD.", "TPLinkTechno"},
        {"COMMODORE INTERNATIONAL", "CommodoreInt"},
        {"LG Electronics (Mobile Communications)", "LGElectronic"},
        {"AT&T", "ATT"},
        {"zte corporation", "zte"},
        {"Hon Hai Precision IND.CO.,LTD", "HonHaiPrecis"},
        {"Samsung Electronics Co.,Ltd", "SamsungElect"},
        {"Raspberry Pi (Trading) Ltd", "RaspberryPiT"},
        {"Espressif Systems (Singapore) Pte. Ltd", "EspressifSys"},
        {"ABB S.p.A.", "ABB"},
        {"Agramkow Fluid Systems A/S", "AgramkowFlui"},
        {"GN ReSound A/S", "GNReSound"},
        {"BDT Büro und Datentechnik GmbH & Co.KG ", "BDTBüroundDa"},
        {"A Beltrónica-Companhia de Comunicações, Lda", "ABeltrónicaC"},
        {"BAYKON Endüstriyel Kontrol Sistemleri San. ve Tic. A.Ş.", "BAYKONEndüst"},
        {"SHENZHEN BILIAN ELECTRONIC CO.\xEF\xBC\x8CLTD", "ShenzhenBili"},
        {"Shenzhen YOUHUA Technology Co., Ltd\t", "ShenzhenYOUH"},
        {" LVSWITCHES INC.", "Lvswitches"},
        {"ARC'Créations", "ARCCréations"},
        {"Private", "Private"},
        // Nothing left: the block's digits.
        {"Co., Ltd.", "0055DA0"},
        {"\xFF\xFE #", "0055DA0"},
    };
    for (const auto& [organization, short_name] : kCases) {
        EXPECT_EQ(hexalune::short_name(organization, "0055DA0"), short_name) << organization;
    }
}

}  // namespace
