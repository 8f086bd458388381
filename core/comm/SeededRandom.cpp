#include "comm/SeededRandom.h"

unsigned CSeededRandom::Below(unsigned bound)
{
    if (bound == 0)
        return 0;
    return static_cast<unsigned>(m_engine() % bound);
}
