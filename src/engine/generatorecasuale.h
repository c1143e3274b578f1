#pragma once

// The source of the draw's random values: uniform in [0, 1), re-seeded at every draw.
class GeneratoreCasuale
{
public:
    virtual ~GeneratoreCasuale() = default;
    virtual void semina() = 0;
    virtual float prossimo() = 0;
};
