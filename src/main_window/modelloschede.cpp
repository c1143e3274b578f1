#include "modelloschede.h"

#include "base/codepage1252.h"
#include "storage/indiceinsieme.h"

namespace {

constexpr std::size_t kVoce = IndiceInsieme::kVoce;

} // namespace

int ModelloSchede::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : conta();
}

QVariant ModelloSchede::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= conta())
        return {};
    // An entry is its stored title, blanks and all; what is shown, read and hinted is the title
    // without the blanks that pad it to 20 characters.
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        QString text = voce(index.row());
        while (text.endsWith(u' '))
            text.chop(1);
        return text;
    }
    return {};
}

int ModelloSchede::conta() const
{
    return int(m_voci.grezze.size() / kVoce);
}

QString ModelloSchede::voce(int riga) const
{
    QString text(qsizetype(kVoce), Qt::Uninitialized);
    const char *bytes = m_voci.grezze.data() + std::size_t(riga) * kVoce;
    for (std::size_t i = 0; i < kVoce; ++i)
        text[qsizetype(i)] =
            QChar(char16_t(CodePage1252::decode(static_cast<unsigned char>(bytes[i]))));
    return text;
}

QStringList ModelloSchede::voci() const
{
    QStringList texts;
    texts.reserve(conta());
    for (int row = 0; row < conta(); ++row)
        texts << voce(row);
    return texts;
}

ModelloSchede::Voci ModelloSchede::prendi(const QList<int> &righe) const
{
    Voci voci;
    voci.grezze.reserve(std::size_t(righe.size()) * kVoce);
    for (int row : righe) {
        voci.grezze.append(std::string_view(m_voci.grezze).substr(std::size_t(row) * kVoce, kVoce));
        voci.record.push_back(m_voci.record.at(std::size_t(row)));
        if (!m_voci.addebiti.empty())
            voci.addebiti.push_back(m_voci.addebiti.at(std::size_t(row)));
    }
    return voci;
}

void ModelloSchede::aggiungi(const QStringList &voci)
{
    aggiungi(Voci{TestoCondiviso(codifica(voci)), {}, {}});
}

void ModelloSchede::aggiungi(Voci voci)
{
    const std::size_t n = voci.grezze.size() / kVoce;
    if (n == 0)
        return;
    voci.record.resize(n, 0);
    if (!voci.addebiti.empty())
        voci.addebiti.resize(n, Currency());
    beginInsertRows({}, conta(), int(std::size_t(conta()) + n - 1));
    if (conta() == 0) { // a whole list into an empty one: taken over, not copied
        m_voci = std::move(voci);
        endInsertRows();
        return;
    }
    // Charges are kept only once some entry has one.
    if (!voci.addebiti.empty() || !m_voci.addebiti.empty()) {
        m_voci.addebiti.resize(std::size_t(conta()), Currency());
        voci.addebiti.resize(n, Currency());
        m_voci.addebiti.insert(m_voci.addebiti.end(), voci.addebiti.begin(), voci.addebiti.end());
    }
    m_voci.grezze.append(voci.grezze);
    m_voci.record.insert(m_voci.record.end(), voci.record.begin(), voci.record.end());
    endInsertRows();
}

void ModelloSchede::rimuovi(const QList<int> &righe)
{
    // From the end, one run of neighbouring rows at a time, so earlier rows keep their numbers.
    for (qsizetype end = righe.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && righe[start - 1] == righe[start] - 1)
            --start;
        const int first = righe[start];
        const int count = righe[end - 1] - first + 1;
        beginRemoveRows({}, first, first + count - 1);
        m_voci.grezze.erase(std::size_t(first) * kVoce, std::size_t(count) * kVoce);
        m_voci.record.erase(m_voci.record.begin() + first, m_voci.record.begin() + first + count);
        if (!m_voci.addebiti.empty())
            m_voci.addebiti.erase(m_voci.addebiti.begin() + first,
                                  m_voci.addebiti.begin() + first + count);
        endRemoveRows();
        end = start;
    }
}

ModelloSchede::Voci ModelloSchede::prendiTutte()
{
    beginResetModel();
    Voci voci = std::exchange(m_voci, {});
    endResetModel();
    return voci;
}

void ModelloSchede::svuota()
{
    beginResetModel();
    m_voci = {};
    endResetModel();
}

TestoGrande ModelloSchede::codifica(const QStringList &voci)
{
    TestoGrande bytes(std::size_t(voci.size()) * kVoce, ' ');
    char *out = bytes.data();
    for (const QString &voce : voci) {
        const qsizetype n = std::min<qsizetype>(voce.size(), kVoce);
        for (qsizetype i = 0; i < n; ++i)
            out[i] = static_cast<char>(CodePage1252::encode(voce[i].unicode()).value_or('?'));
        out += kVoce;
    }
    return bytes;
}
