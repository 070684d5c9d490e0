// SPDX-License-Identifier: GPL-3.0-or-later
// Varko 2000 — the system of equations a PAR 2.0 repair solves, over GF(2^16).
#include "par2matrix.h"

#include "gf16.h"

namespace {

/** A square matrix in GF(2^16), row by row. */
class Matrix
{
public:
    explicit Matrix(int size)
        : m_size(size)
        , m_cells(qsizetype(size) * size, 0)
    {
    }
    quint16 *row(int r) { return m_cells.data() + qsizetype(r) * m_size; }
    QList<quint16> cells() const { return m_cells; }

    // row `to` += factor * row `from`, and the same in `other` (the matrix being built alongside)
    void addRow(int to, int from, quint16 factor, Matrix *other = nullptr)
    {
        for (Matrix *m : {this, other}) {
            if (!m)
                continue;
            quint16 *dst = m->row(to);
            const quint16 *src = m->row(from);
            for (int c = 0; c < m_size; ++c)
                dst[c] ^= Gf16::multiply(factor, src[c]);
        }
    }
    void scaleRow(int r, quint16 factor, Matrix &other)
    {
        for (Matrix *m : {this, &other})
            for (int c = 0; c < m_size; ++c)
                m->row(r)[c] = Gf16::multiply(factor, m->row(r)[c]);
    }

private:
    int m_size;
    QList<quint16> m_cells;
};

void fillRow(quint16 *row, const QList<quint32> &logs, quint32 exponent)
{
    for (qsizetype c = 0; c < logs.size(); ++c)
        row[c] = Gf16::powerOfTwo(quint64(logs[c]) * exponent);
}

// Forward elimination, one candidate row at a time: a row the chosen ones reduce to zero adds
// nothing and is passed over. Returns the chosen exponents.
QList<quint32> independentRows(const QList<quint32> &logs, const QList<quint32> &exponents)
{
    const int size = int(logs.size());
    Matrix echelon(size);
    QList<int> pivots;
    QList<quint32> chosen;
    for (const quint32 exponent : exponents) {
        if (chosen.size() == size)
            break;
        const int r = int(chosen.size());
        fillRow(echelon.row(r), logs, exponent);
        for (int p = 0; p < r; ++p)
            if (const quint16 value = echelon.row(r)[pivots[p]])
                echelon.addRow(r, p, Gf16::divide(value, echelon.row(p)[pivots[p]]));
        const quint16 *row = echelon.row(r);
        const int pivot = int(std::find_if(row, row + size, [](quint16 v) { return v != 0; }) - row);
        if (pivot == size)
            continue;
        pivots.append(pivot);
        chosen.append(exponent);
    }
    return chosen;
}

// Gauss–Jordan on a matrix known to be invertible.
QList<quint16> invert(const QList<quint32> &logs, const QList<quint32> &exponents)
{
    const int size = int(logs.size());
    Matrix a(size);
    Matrix inverse(size);
    for (int r = 0; r < size; ++r) {
        fillRow(a.row(r), logs, exponents[r]);
        inverse.row(r)[r] = 1;
    }
    for (int c = 0; c < size; ++c) {
        int pivot = c;
        while (a.row(pivot)[c] == 0)
            ++pivot;
        if (pivot != c)
            a.addRow(c, pivot, 1, &inverse);
        a.scaleRow(c, Gf16::divide(1, a.row(c)[c]), inverse);
        for (int r = 0; r < size; ++r)
            if (r != c && a.row(r)[c])
                a.addRow(r, c, a.row(r)[c], &inverse);
    }
    return inverse.cells();
}

} // namespace

std::optional<Par2Solution> par2Solve(const QList<quint32> &missingLogs, const QList<quint32> &exponents)
{
    const QList<quint32> chosen = independentRows(missingLogs, exponents);
    if (chosen.size() < missingLogs.size())
        return std::nullopt;
    return Par2Solution{chosen, invert(missingLogs, chosen)};
}
