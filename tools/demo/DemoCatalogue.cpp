#include "demo/DemoCatalogue.h"

#include <cstdio>
#include <string>

#include "base/StrFormat.h"
#include "data/Gtin.h"

namespace {

// A small deterministic generator (xorshift32): the same catalogue on every machine.
class CDemoRandom {
public:
    explicit CDemoRandom(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    size_t Below(size_t n) { return Next() % n; }
    template <class T, size_t N> const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

private:
    uint32_t m_state;
};

// Strengths by kind of form: tablets and capsules, liquids, creams and gels.
// An empty entry means the medicine doesn't come in that kind.
struct Medicine {
    const char* name;
    const char* solid[2];
    const char* liquid;
    const char* topical;
};

const Medicine kMedicines[] = {
    {"PARACETAMOL", {"500MG", "1G"}, "120MG/5ML", ""},
    {"IBUPROFEN", {"200MG", "400MG"}, "100MG/5ML", "5%"},
    {"ASPIRIN", {"75MG", "300MG"}, "", ""},
    {"AMOXICILLIN", {"250MG", "500MG"}, "250MG/5ML", ""},
    {"OMEPRAZOLE", {"10MG", "20MG"}, "", ""},
    {"LANSOPRAZOLE", {"15MG", "30MG"}, "", ""},
    {"METFORMIN", {"500MG", "850MG"}, "500MG/5ML", ""},
    {"AMLODIPINE", {"5MG", "10MG"}, "", ""},
    {"ATORVASTATIN", {"20MG", "40MG"}, "", ""},
    {"SIMVASTATIN", {"20MG", "40MG"}, "", ""},
    {"RAMIPRIL", {"2.5MG", "5MG"}, "", ""},
    {"LISINOPRIL", {"5MG", "10MG"}, "", ""},
    {"BISOPROLOL", {"2.5MG", "5MG"}, "", ""},
    {"SALBUTAMOL", {"2MG", "4MG"}, "2MG/5ML", ""},
    {"CETIRIZINE", {"10MG", "10MG"}, "5MG/5ML", ""},
    {"LORATADINE", {"10MG", "10MG"}, "5MG/5ML", ""},
    {"SERTRALINE", {"50MG", "100MG"}, "", ""},
    {"CITALOPRAM", {"10MG", "20MG"}, "", ""},
    {"FLUOXETINE", {"20MG", "60MG"}, "20MG/5ML", ""},
    {"LEVOTHYROXINE", {"50MCG", "100MCG"}, "25MCG/5ML", ""},
    {"PREDNISOLONE", {"1MG", "5MG"}, "", ""},
    {"CO-CODAMOL", {"8/500MG", "30/500MG"}, "", ""},
    {"CODEINE PHOSPHATE", {"15MG", "30MG"}, "25MG/5ML", ""},
    {"DICLOFENAC", {"25MG", "50MG"}, "", "1%"},
    {"NAPROXEN", {"250MG", "500MG"}, "", ""},
    {"GLICLAZIDE", {"40MG", "80MG"}, "", ""},
    {"WARFARIN", {"1MG", "3MG"}, "", ""},
    {"CLOPIDOGREL", {"75MG", "75MG"}, "", ""},
    {"FUROSEMIDE", {"20MG", "40MG"}, "20MG/5ML", ""},
    {"DOXYCYCLINE", {"50MG", "100MG"}, "", ""},
    {"FLUCLOXACILLIN", {"250MG", "500MG"}, "125MG/5ML", ""},
    {"TRIMETHOPRIM", {"100MG", "200MG"}, "50MG/5ML", ""},
    {"LOPERAMIDE", {"2MG", "2MG"}, "1MG/5ML", ""},
    {"GABAPENTIN", {"100MG", "300MG"}, "", ""},
    {"TRAMADOL", {"50MG", "100MG"}, "", ""},
    {"HYDROCORTISONE", {"10MG", "20MG"}, "", "1%"},
    {"CHLORPHENAMINE", {"4MG", "4MG"}, "2MG/5ML", ""},
    {"FOLIC ACID", {"400MCG", "5MG"}, "2.5MG/5ML", ""},
    {"FERROUS SULPHATE", {"200MG", "200MG"}, "", ""},
    {"CLOTRIMAZOLE", {"100MG", "500MG"}, "", "1%"},
    {"ACICLOVIR", {"200MG", "400MG"}, "200MG/5ML", "5%"},
};

enum class Kind { Solid, Liquid, Topical };

struct Form {
    Kind kind;
    const char* word;
    const char* sizes[3];
};

const Form kForms[] = {
    {Kind::Solid, "TABLETS", {"28", "32", "56"}},
    {Kind::Solid, "TABLETS", {"100", "16", "84"}},
    {Kind::Solid, "CAPSULES", {"28", "30", "56"}},
    {Kind::Solid, "CAPSULES", {"100", "14", "21"}},
    {Kind::Solid, "FILM COATED TABLETS", {"28", "56", "30"}},
    {Kind::Solid, "DISPERSIBLE TABLETS", {"32", "100", "28"}},
    {Kind::Solid, "EFFERVESCENT TABLETS", {"20", "24", "32"}},
    {Kind::Liquid, "ORAL SUSPENSION", {"100ML", "150ML", "200ML"}},
    {Kind::Liquid, "ORAL SOLUTION", {"100ML", "150ML", "500ML"}},
    {Kind::Liquid, "SUGAR FREE SYRUP", {"100ML", "200ML", "150ML"}},
    {Kind::Topical, "CREAM", {"15G", "30G", "50G"}},
    {Kind::Topical, "GEL", {"30G", "50G", "100G"}},
};

// Invented makers, as the products are invented.
const char* kMakers[] = {"", "", "", "(ALDRAVEN)", "(BRISMORE)", "(CALVERTINE)", "(DUNHOLT)", "(ELVARIS)",
                         "(FARNLOW)", "(GILMERRA)", "(HARTWELD)", "(IVERSLY)", "(JORVANE)"};

struct Sundry {
    const char* description;
    const char* size;
};

const Sundry kSundries[] = {
    {"COTTON WOOL BALLS", "100"}, {"STERILE DRESSING PADS 10CM X 10CM", "10"},
    {"CREPE BANDAGE 7.5CM X 4.5M", "1"}, {"MICROPORE TAPE 2.5CM", "12"},
    {"DIGITAL THERMOMETER", "1"}, {"HAND SANITISER GEL", "500ML"},
    {"SALINE NASAL SPRAY", "20ML"}, {"VITAMIN D3 1000IU TABLETS", "90"},
    {"MULTIVITAMIN TABLETS", "30"}, {"ZINC OXIDE CREAM", "125G"},
    {"EMOLLIENT CREAM", "500G"}, {"LIP BALM SPF15", "4G"},
    {"BLOOD GLUCOSE TEST STRIPS", "50"}, {"LANCETS 30G", "100"},
    {"ORAL REHYDRATION SACHETS BLACKCURRANT", "6"}, {"EYE DROPS HYPROMELLOSE 0.3%", "10ML"},
    {"SUNSCREEN LOTION SPF50", "200ML"}, {"PLASTERS ASSORTED FABRIC", "40"},
    {"NICOTINE PATCHES 21MG", "7"}, {"NICOTINE GUM 4MG MINT", "105"},
    {"CHLORHEXIDINE MOUTHWASH 0.2%", "300ML"}, {"GLYCERIN SUPPOSITORIES 4G", "12"},
};

std::string Description(CDemoRandom& random, std::string& size)
{
    if (random.Below(8) == 0) {
        const Sundry& s = random.Pick(kSundries);
        size = s.size;
        return s.description;
    }
    const Medicine& m = random.Pick(kMedicines);
    const Form* f = &random.Pick(kForms);
    const char* strength = m.solid[random.Below(2)];
    if (f->kind == Kind::Liquid && *m.liquid)
        strength = m.liquid;
    else if (f->kind == Kind::Topical && *m.topical)
        strength = m.topical;
    else
        f = &kForms[random.Below(7)]; // the medicine has no such kind: a solid form instead
    size = f->sizes[random.Below(3)];
    std::string text = StrFormat("%s %s %s", m.name, f->word, strength);
    const char* maker = random.Pick(kMakers);
    if (*maker)
        text += std::string(" ") + maker;
    return text;
}

} // namespace

std::vector<ItemRecord> MakeDemoCatalogue(size_t count, uint32_t seed)
{
    CDemoRandom random(seed);
    std::vector<ItemRecord> products;
    products.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        ItemRecord r;
        // Codes climb by a random step so they are unique and look issued, not counted.
        r.code = StrFormat("%07zu", 1000000 + i * 7 + random.Below(7));
        // The pack's EAN-13 (a UK "50" prefix) with its check digit, so the demo can be scanned.
        r.auxText = StrFormat("50%010u", static_cast<unsigned>(random.Next() % 10000000000ull));
        r.auxText += GtinCheckDigit(r.auxText);
        r.description = Description(random, r.size);
        r.price = static_cast<double>(49 + random.Below(4950)) / 100.0;
        r.discount = random.Below(4) == 0 ? static_cast<double>(random.Below(16)) : 0.0;
        products.push_back(std::move(r));
    }
    return products;
}
