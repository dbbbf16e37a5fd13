// The phase records: the field order that the structure fit and the
// reports index by, and the start-up defaults of all five records.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "xrd/xrd_geometry.h"
#include "xrd/xrd_phase.h"

TEST(XrdPhaseRecord, FieldsStandInTheirOrderWithFixedWidthTypes)
{
    static_assert(std::is_standard_layout<XrdPhase>::value, "plain record");
    const std::size_t order[] = {
        offsetof(XrdPhase, Kristallsystem), offsetof(XrdPhase, Reflexe), offsetof(XrdPhase, Profil),
        offsetof(XrdPhase, Phasen), offsetof(XrdPhase, UntergrundGrad), offsetof(XrdPhase, H),
        offsetof(XrdPhase, K), offsetof(XrdPhase, L), offsetof(XrdPhase, Breitengesetz),
        offsetof(XrdPhase, Untergrund), offsetof(XrdPhase, Gitter), offsetof(XrdPhase, Abschneidefaktor),
        offsetof(XrdPhase, Nullpunkt), offsetof(XrdPhase, UVW), offsetof(XrdPhase, KAlpha),
        offsetof(XrdPhase, NullpunktFrei), offsetof(XrdPhase, KAlphaAufspaltung), offsetof(XrdPhase, Abschneiden)};
    for (std::size_t i = 1; i < sizeof order / sizeof order[0]; ++i) EXPECT_LT(order[i - 1], order[i]) << i;
    EXPECT_EQ(offsetof(XrdPhase, K) - offsetof(XrdPhase, H), 50 * sizeof(int32_t));
    EXPECT_EQ(sizeof(XrdPhase{}.Gitter), 6 * sizeof(double));
    EXPECT_EQ(sizeof(XrdPhase{}.UVW), 3 * sizeof(double));
    EXPECT_EQ(sizeof(XrdPhase{}.KAlpha), 2 * sizeof(double));
}

TEST(XrdPhaseRecord, AllFiveRecordsStartWithTheDefaults)
{
    for (XrdPhase& p : XrdPhaseTable) p = XrdPhase{};
    XrdPhaseTable[4].Gitter[0] = 99.0;
    XrdPhasenVorgaben();
    for (int i = 0; i < XRD_PHASE_RECORDS; ++i) {
        const XrdPhase& p = XrdPhaseTable[i];
        EXPECT_EQ(p.Kristallsystem, 0);
        EXPECT_EQ(p.Reflexe, -1);
        EXPECT_EQ(p.Profil, 0);
        EXPECT_EQ(p.Phasen, 1);
        EXPECT_EQ(p.UntergrundGrad, 0);
        EXPECT_EQ(p.Breitengesetz, 1);
        EXPECT_EQ(p.Untergrund, 1);
        for (int j = 0; j < 3; ++j) EXPECT_EQ(p.Gitter[j], 5.21);
        for (int j = 3; j < 6; ++j) EXPECT_EQ(p.Gitter[j], 90.0);
        EXPECT_EQ(p.Abschneidefaktor, 5.0);
        EXPECT_EQ(p.UVW[1], 0.0);
        EXPECT_EQ(p.UVW[2], 0.1);
        EXPECT_EQ(p.KAlpha[0], 154.06);
        EXPECT_EQ(p.KAlpha[1], 154.44);
        EXPECT_EQ(p.NullpunktFrei, 1);
        EXPECT_EQ(p.KAlphaAufspaltung, 0);
        EXPECT_EQ(p.Abschneiden, 0);
        // Every record's cell has a volume, so its first reflection has an angle.
        EXPECT_EQ(XrdReflexPruefen(p.KAlpha[0], p.Gitter, 1, 0, 0), XRD_REFLEX_OK) << i;
    }
}
