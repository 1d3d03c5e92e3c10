#include "registry/short_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Organisations as the listings spell them, and their short names.
TEST(ShortName, RealOrganisations) {
    const struct {
        const char* organization;
        const char* short_name;
    } kCases[] = {
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
    for (const auto& c : kCases) {
        EXPECT_EQ(hexalune::short_name(c.organization, "0055DA0"), c.short_name) << c.organization;
    }
}

}  // namespace
