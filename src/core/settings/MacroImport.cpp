#include "core/settings/MacroImport.h"

#include "core/settings/SettingsStore.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

namespace quiren {

namespace {

// "Type" is the architect class as a number: 1 is first-class, any other
// number second-class. A text that is no number at all counts as "other".
bool MacroFirstClass(const QString &typeText)
{
    return IsSingleNumber(typeText) && TextValue(typeText) == 1.0;
}

} // namespace

std::optional<OfficeData> ReadMacroOfficeData()
{
    const QString officeName = ReadTsly(QStringLiteral("OfficeName"));
    if (officeName.isEmpty())
        return std::nullopt;

    OfficeData office;
    office[OfficeData::Type] = BoolText(MacroFirstClass(ReadTsly(QStringLiteral("Type"))));
    office[OfficeData::Name] = ReadTsly(QStringLiteral("Name"));
    office[OfficeData::RegstNumber] = ReadTsly(QStringLiteral("RegstNumber"));
    office[OfficeData::OfficeName] = officeName;
    office[OfficeData::OfficeRegst] = ReadTsly(QStringLiteral("OfficeRegst"));
    office[OfficeData::Address] = ReadTsly(QStringLiteral("Address"));
    office[OfficeData::Tel] = ReadTsly(QStringLiteral("Tel"));
    office[OfficeData::Fax] = ReadTsly(QStringLiteral("Fax"));
    office[OfficeData::Print] = ReadTsly(QStringLiteral("print")) == QStringLiteral("yes")
        ? QStringLiteral("1") : QStringLiteral("0");
    return office;
}

QString MacroAbsentMessage()
{
    return Str(S::MacroMissing) + QLatin1Char('\n') + Str(S::MacroNotSet);
}

} // namespace quiren
