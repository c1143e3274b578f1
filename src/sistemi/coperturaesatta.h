#pragma once

#include <optional>
#include <vector>

// Rows chosen so that every column is in exactly one of them, by Knuth's dancing links: each
// step takes the column in the fewest rows left and tries its rows in the order they came.
class CoperturaEsatta
{
public:
    explicit CoperturaEsatta(int colonne);

    // A row of distinct columns 0..colonne-1; rows are numbered from 0 in the order added.
    void aggiungiRiga(const std::vector<int> &colonne);
    // The rows of a cover, in the order chosen; nothing when there is none, or when the search
    // has tried so many rows without finding one.
    std::optional<std::vector<int>> risolvi(long massimoScelte);

private:
    // Node 0 is the head, 1..colonne the columns' headers, the rows' cells after them.
    struct Nodo
    {
        int sinistra, destra, su, giu, colonna, riga;
    };

    void copri(int colonna);
    void scopri(int colonna);
    int piuStretta() const;
    bool cerca();

    std::vector<Nodo> m_nodi;
    std::vector<int> m_quante; // the rows left in each column, by its header
    std::vector<int> m_scelte;
    long m_scelteFatte = 0;
    long m_massimoScelte = 0;
    int m_righe = 0;
};
