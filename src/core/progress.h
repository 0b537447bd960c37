#pragma once
// Progress of long analyses: the GUI shows it in its status line, the command line on the
// terminal; the core only reports stages through this interface.

#include <string>
#include <vector>

namespace norvak {

// Receives the stage texts of an analysis and one step per finished stage. Pump() lets a
// single-threaded display repaint between stages. Every operation defaults to nothing.
class CProgress {
public:
    virtual ~CProgress() = default;
    virtual void Begin() {}
    virtual void AddTexts(const std::vector<std::string>& cp1251Texts) { (void)cp1251Texts; }
    virtual void Step() {}
    virtual void End() {}
    virtual void Pump() {}

    // Step() followed by Pump(), the pair most stages end with.
    void StepAndPump() {
        Step();
        Pump();
    }
};

// A progress receiver that does nothing; used where nobody watches.
CProgress& NullProgress();

// Records what it receives; used by tests and by callers that report the stages afterwards.
class CRecordingProgress : public CProgress {
public:
    void Begin() override;
    void AddTexts(const std::vector<std::string>& cp1251Texts) override;
    void Step() override;
    void End() override;
    void Pump() override { ++m_pumps; }

    const std::vector<std::string>& Texts() const { return m_texts; }
    // The texts shown by the steps so far, in order (a step past the list shows nothing).
    const std::vector<std::string>& Shown() const { return m_shown; }
    int Steps() const { return m_steps; }
    int Pumps() const { return m_pumps; }
    int Begins() const { return m_begins; }

private:
    std::vector<std::string> m_texts;
    std::vector<std::string> m_shown;
    int m_steps = 0;
    int m_pumps = 0;
    int m_begins = 0;
    int m_ends = 0;
};

} // namespace norvak
