// CParameterTable: the parameter table's rows, free of windows. One column of labels and one
// column per channel: the mic, the six music inputs, the effect channel and output 1. For every
// band up to the most bands a channel has: its type, gain, frequency, bandwidth and Q (a shelf
// band: its shelf slope and an empty cell) and a blank row; then the crossover's family,
// frequency and slope of both filters; then polarity, delay, gain, the two input levels, on/off
// and the limiter. Every value has its own labelled row; a channel without a value leaves its
// cell empty.
#pragma once

#include "platform/core/String.h"

#include <vector>

class CKTV_Data;

class CParameterTable {
public:
    static constexpr int kChannels = 9;
    static constexpr int kColumns = kChannels + 1;
    static constexpr int kTitles = 12;
    static constexpr int kRowsPerBand = 6;
    static constexpr int kCrossoverRows = 8;
    static constexpr int kChannelRows = 11;

    // Labels of the UI language; band counts from 1, field 0..5 (type, gain, frequency,
    // bandwidth, Q, blank).
    static CString BandLabel(int band, int field, bool chinese);
    static CString CrossoverLabel(int row, bool chinese);
    static CString ChannelLabel(int row, bool chinese);
    static std::vector<CString> RowLabels(int bands, bool chinese);
    // Column titles 0..11 (0 the labels, 1..9 the channels, 10 and 11 unused).
    static CString ColumnTitle(int column, bool chinese);
    static int RowCount(int bands) { return bands * kRowsPerBand + kCrossoverRows + kChannelRows; }

    explicit CParameterTable(const CKTV_Data& doc);

    int GetBands() const { return m_bands; }
    int GetRowCount() const { return static_cast<int>(m_cells.size()); }
    // Text of a channel's value (channel 0..8) in a row.
    const CString& GetCell(int row, int channel) const;

private:
    int m_bands = 0;
    std::vector<std::vector<CString>> m_cells;
};
