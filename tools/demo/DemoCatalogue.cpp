#include "demo/DemoCatalogue.h"

#include <cstdio>
#include <string>

#include "base/StrFormat.h"

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

struct Medicine {
    const char* name;
    const char* strengths[4];
};

const Medicine kMedicines[] = {
    {"PARACETAMOL", {"500MG", "250MG/5ML", "120MG/5ML", "1G"}},
    {"IBUPROFEN", {"200MG", "400MG", "100MG/5ML", "5% GEL"}},
    {"ASPIRIN", {"75MG", "300MG", "75MG EC", "150MG"}},
    {"AMOXICILLIN", {"250MG", "500MG", "125MG/5ML", "250MG/5ML"}},
    {"OMEPRAZOLE", {"10MG", "20MG", "40MG", "20MG GR"}},
    {"LANSOPRAZOLE", {"15MG", "30MG", "15MG ODT", "30MG ODT"}},
    {"METFORMIN", {"500MG", "850MG", "1G", "500MG MR"}},
    {"AMLODIPINE", {"5MG", "10MG", "2.5MG", "5MG/5ML"}},
    {"ATORVASTATIN", {"10MG", "20MG", "40MG", "80MG"}},
    {"SIMVASTATIN", {"10MG", "20MG", "40MG", "80MG"}},
    {"RAMIPRIL", {"1.25MG", "2.5MG", "5MG", "10MG"}},
    {"LISINOPRIL", {"2.5MG", "5MG", "10MG", "20MG"}},
    {"BISOPROLOL", {"1.25MG", "2.5MG", "5MG", "10MG"}},
    {"SALBUTAMOL", {"100MCG", "2MG", "4MG", "2MG/5ML"}},
    {"CETIRIZINE", {"10MG", "5MG/5ML", "10MG", "1MG/ML"}},
    {"LORATADINE", {"10MG", "5MG/5ML", "10MG", "10MG"}},
    {"SERTRALINE", {"50MG", "100MG", "50MG", "100MG"}},
    {"CITALOPRAM", {"10MG", "20MG", "40MG", "40MG/ML"}},
    {"FLUOXETINE", {"20MG", "60MG", "20MG/5ML", "10MG"}},
    {"LEVOTHYROXINE", {"25MCG", "50MCG", "100MCG", "12.5MCG"}},
    {"PREDNISOLONE", {"1MG", "5MG", "25MG", "5MG EC"}},
    {"CO-CODAMOL", {"8/500MG", "15/500MG", "30/500MG", "8/500MG EFF"}},
    {"CODEINE PHOSPHATE", {"15MG", "30MG", "60MG", "25MG/5ML"}},
    {"DICLOFENAC", {"25MG", "50MG", "75MG MR", "1% GEL"}},
    {"NAPROXEN", {"250MG", "500MG", "250MG EC", "500MG EC"}},
    {"GLICLAZIDE", {"40MG", "80MG", "30MG MR", "60MG MR"}},
    {"WARFARIN", {"0.5MG", "1MG", "3MG", "5MG"}},
    {"CLOPIDOGREL", {"75MG", "300MG", "75MG", "75MG"}},
    {"FUROSEMIDE", {"20MG", "40MG", "500MG", "20MG/5ML"}},
    {"DOXYCYCLINE", {"50MG", "100MG", "100MG DISP", "40MG MR"}},
    {"FLUCLOXACILLIN", {"250MG", "500MG", "125MG/5ML", "250MG/5ML"}},
    {"TRIMETHOPRIM", {"100MG", "200MG", "50MG/5ML", "200MG"}},
    {"LOPERAMIDE", {"2MG", "2MG MELT", "1MG/5ML", "2MG"}},
    {"RANITIDINE", {"150MG", "300MG", "75MG", "75MG/5ML"}},
    {"GABAPENTIN", {"100MG", "300MG", "400MG", "600MG"}},
    {"TRAMADOL", {"50MG", "100MG MR", "150MG MR", "200MG MR"}},
    {"HYDROCORTISONE", {"1% CREAM", "1% OINT", "10MG", "20MG"}},
    {"CHLORPHENAMINE", {"4MG", "2MG/5ML", "4MG", "10MG/ML"}},
    {"FOLIC ACID", {"400MCG", "5MG", "2.5MG/5ML", "400MCG"}},
    {"FERROUS SULPHATE", {"200MG", "325MG", "200MG", "125MG/ML"}},
};

struct Form {
    const char* word;
    const char* sizes[3];
};

const Form kForms[] = {
    {"TABLETS", {"28", "32", "56"}},
    {"TABLETS", {"100", "16", "84"}},
    {"CAPSULES", {"28", "30", "56"}},
    {"CAPSULES", {"100", "14", "21"}},
    {"FILM COATED TABLETS", {"28", "56", "30"}},
    {"DISPERSIBLE TABLETS", {"32", "100", "28"}},
    {"ORAL SUSPENSION", {"100ML", "150ML", "200ML"}},
    {"ORAL SOLUTION", {"100ML", "150ML", "500ML"}},
    {"SUGAR FREE SYRUP", {"100ML", "200ML", "150ML"}},
    {"EFFERVESCENT TABLETS", {"20", "24", "32"}},
    {"CREAM", {"15G", "30G", "50G"}},
    {"GEL", {"30G", "50G", "100G"}},
};

const char* kMakers[] = {"", "", "", "(ACCORD)", "(TEVA)", "(ZENTIVA)", "(ALMUS)", "(MYLAN)",
                         "(SANDOZ)", "(BRISTOL)", "(ACTAVIS)", "(AUROBINDO)", "(DR REDDYS)"};

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
    const Form& f = random.Pick(kForms);
    size = f.sizes[random.Below(3)];
    std::string text = StrFormat("%s %s %s", m.name, f.word, m.strengths[random.Below(4)]);
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
        r.auxText = StrFormat("50%011u", static_cast<unsigned>(random.Next() % 100000000000ull));
        r.description = Description(random, r.size);
        r.price = static_cast<double>(49 + random.Below(4950)) / 100.0;
        r.discount = random.Below(4) == 0 ? static_cast<double>(random.Below(16)) : 0.0;
        products.push_back(std::move(r));
    }
    return products;
}
