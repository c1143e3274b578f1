#!/usr/bin/env python3
"""Writes the fuzz targets' seed inputs into tests/fuzz/corpus/<target>/.

The seeds are committed, so that every run starts from the same inputs; run this again only to
change them. Each seed is a file the game can meet, or the boxes a player can fill: they give
the fuzzer the record layout and the odd corners (C1 and NUL title bytes, flags other than 0
and 1, numbers outside 1..90, repeated numbers, the largest stakes, a cut tail) to start from.
"""

import struct
import sys
from pathlib import Path

RECORD = 126
INT64_MAX = (1 << 63) - 1
INT64_MIN = -(1 << 63)
# The largest stake the editor accepts, in ten-thousandths.
PUNTATA_MASSIMA = 922337203685477 * 10000


def record(titolo=b"Prova", ruote=(), numeri=(), giocate=None, puntate=None, ultimo=None):
    """126 bytes: title (20, space padded), 12 wheel flags, 11 numbers, 6 bet flags (int16
    little-endian), 6 stakes (int64 ten-thousandths). ruote, giocate, puntate: {index: value};
    ruote may also be a list of the indexes set to 1."""
    titolo = bytes(titolo)[:20].ljust(20, b" ")
    r = [0] * 12
    if isinstance(ruote, dict):
        for i, v in ruote.items():
            r[i] = v
    else:
        for i in ruote:
            r[i] = 1
    n = list(numeri) + [0] * (11 - len(numeri))
    g = [0] * 6
    for i, v in (giocate or {}).items():
        g[i] = v
    p = [0] * 6
    for i, v in (puntate or {}).items():
        p[i] = v
    out = bytearray(titolo)
    out += struct.pack("<12h", *r)
    out += struct.pack("<11h", *n)
    out += struct.pack("<6h", *g)
    out += struct.pack("<6q", *p)
    assert len(out) == RECORD
    if ultimo is not None:  # the unused last byte, which picks the play list's entries
        out[-1] = ultimo
    return bytes(out)


def lire(unita):
    return unita * 10000


# The ticket "Prova": 12 and 34 on BARI, Ambo at 5.
PROVA = record(b"Prova", ruote=[0], numeri=[12, 34], giocate={1: 1}, puntate={1: lire(5)})
assert PROVA[20:22] == b"\x01\x00" and PROVA[44:48] == b"\x0c\x00\x22\x00"
assert PROVA[68:70] == b"\x01\x00" and PROVA[86:94] == bytes.fromhex("50c3000000000000")

TITOLO_STRANO = bytes([0x00, 0x80, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0x9F, 0x20, 0x41]) + bytes(
    [0x00, 0x20, 0xA0, 0xFF, 0x8A, 0x9A, 0x20, 0x20, 0x00, 0x20])

RECORD_SEMI = {
    "prova": PROVA,
    "zeri": bytes(RECORD),
    "tutti_ff": b"\xff" * RECORD,
    "titolo_nul_c1": record(TITOLO_STRANO, ruote=[3], numeri=[1, 90], giocate={0: 1, 1: 1},
                            puntate={0: lire(1), 1: lire(2)}),
    "bandiere_strane": record(b"Bandiere", ruote={0: 2, 1: -1, 2: 256, 10: 1, 11: 1},
                              numeri=[5, 6, 7], giocate={0: 2, 1: -1, 2: 1, 5: 1},
                              puntate={0: lire(3), 1: lire(4), 2: 12345, 5: INT64_MAX}),
    "numeri_fuori": record(b"Fuori", ruote=[10], numeri=[0, 91, -5, 32767, -32768, 90, 1, 64,
                                                         63, 127, 128],
                           giocate={0: 1, 1: 1, 2: 1}, puntate={0: 1, 1: 2, 2: 3}),
    "numeri_ripetuti": record(b"Ripetuti", ruote=[4, 7], numeri=[7, 7, 7, 45, 45],
                              giocate={0: 1, 1: 1, 2: 1, 3: 1, 4: 1},
                              puntate={i: lire(1) for i in range(5)}),
    "dieci_numeri": record(b"Dieci", ruote=list(range(10)),
                           numeri=[1, 11, 22, 33, 44, 55, 66, 77, 88, 90, 3],
                           giocate={i: 1 for i in range(5)},
                           puntate={i: lire(i + 1) for i in range(5)}),
    "puntate_massime": record(b"Massime", ruote=[0], numeri=[1, 2, 3, 4, 5],
                              giocate={i: 1 for i in range(6)},
                              puntate={i: INT64_MAX for i in range(6)}),
    "puntate_editor": record(b"Editor", ruote=[1], numeri=[8, 9],
                             giocate={0: 1, 1: 1},
                             puntate={0: PUNTATA_MASSIMA, 1: PUNTATA_MASSIMA}),
    "puntate_negative": record(b"Negative", ruote=[2], numeri=[10, 20, 30],
                               giocate={0: 1, 1: 1, 2: 1},
                               puntate={0: INT64_MIN, 1: -1, 2: INT64_MAX}),
}


def insiemi():
    a = record(b"A", ruote=[0], numeri=[1, 2], giocate={1: 1}, puntate={1: lire(1)}, ultimo=2)
    b = record(b"B", ruote=[10], numeri=[3], giocate={0: 1}, puntate={0: lire(2)}, ultimo=0)
    a2 = record(b"A", ruote=[5], numeri=[4, 5, 6], giocate={2: 1}, puntate={2: lire(3)},
                ultimo=0)
    c = record(b"C", ruote=[9], numeri=[7, 7], giocate={1: 1}, puntate={1: INT64_MAX}, ultimo=3)
    doppi = a + b + a2 + a + c
    return {
        "vuoto": b"",
        "prova": PROVA,
        "prova_130": PROVA + b"\x01\x02\x03\x04",
        "coda_mezzo_record": PROVA + b"X" * 63,
        "coda_lunga": PROVA + PROVA[:100],
        "titoli_doppi": doppi,
        "strani": b"".join(RECORD_SEMI.values()),
        "costi_oltre": RECORD_SEMI["puntate_editor"] + RECORD_SEMI["puntate_massime"] + PROVA,
    }


def stringa(testo, massimo):
    """A string as the data provider reads it from the front: backslashes doubled, ended by a
    backslash and another character unless it fills its maximum length."""
    testo = testo.encode() if isinstance(testo, str) else testo
    assert len(testo) <= massimo
    fuori = testo.replace(b"\\", b"\\\\")
    return fuori if len(testo) == massimo else fuori + b"\\|"


def modulo(titolo="Prova", numeri=("12", "34"), attivi=3, ruote=(0,), giocate=(1,),
           puntate=None, originale="", modifica=False, esistenti=(), solo_cifre=True,
           illeggibile=False, rifiuta_dopo=8):
    """Input for fuzz_controllosalvataggio: the values it reads from the end (in the order it
    reads them), then the texts it reads from the front."""
    puntate = puntate or {1: "5"}
    dal_fondo = [int(solo_cifre), int(illeggibile), rifiuta_dopo - 1]
    dal_fondo += [int(i < attivi) for i in range(10)]
    dal_fondo += [int(i in ruote) for i in range(11)]
    dal_fondo += [int(g in giocate) for g in range(5)]
    dal_fondo += [int(modifica)]
    davanti = stringa(titolo, 40)
    numeri = list(numeri) + [""] * (10 - len(numeri))
    davanti += b"".join(stringa(n, 8) for n in numeri)
    davanti += b"".join(stringa(puntate.get(g, ""), 24) for g in range(5))
    davanti += stringa(originale, 40)
    davanti += b"".join(stringa(t, 40) for t in esistenti)
    return davanti + bytes(reversed(dal_fondo))


def moduli():
    return {
        "prova": modulo(),
        "senza_titolo": modulo(titolo=""),
        "titolo_esistente": modulo(esistenti=["Altra", "  Prova  "]),
        "modifica_stesso_titolo": modulo(modifica=True, originale="Prova ",
                                         esistenti=["Prova"]),
        "insieme_illeggibile": modulo(illeggibile=True),
        "numero_zero": modulo(numeri=("12", "00")),
        "senza_ruote": modulo(ruote=()),
        "senza_puntata": modulo(giocate=(0, 1), puntate={1: "5"}),
        "puntata_massima": modulo(giocate=(0, 1), puntate={0: "922337203685477",
                                                           1: "000922337203685477"}),
        "puntata_oltre": modulo(giocate=(0, 1), puntate={0: "1", 1: "922337203685478"}),
        "puntate_tutte_massime": modulo(numeri=("1", "2", "3", "4", "5"), attivi=6,
                                        giocate=(0, 1, 2, 3, 4),
                                        puntate={g: "922337203685477" for g in range(5)}),
        "testi_liberi": modulo(titolo="Caffè € ventuno caratteri!".encode() + b"\xff\x80",
                               numeri=("7x", "99999999", "-3"), solo_cifre=False,
                               puntate={1: "12a"}, rifiuta_dopo=3),
        "tutte_le_ruote": modulo(ruote=tuple(range(11)), giocate=(0,), puntate={0: "1"}),
    }


def scrivi(cartella, semi):
    cartella.mkdir(parents=True, exist_ok=True)
    for vecchio in cartella.iterdir():
        vecchio.unlink()
    for nome, dati in semi.items():
        (cartella / nome).write_bytes(dati)


def main():
    radice = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent / "corpus"
    scrivi(radice / "fuzz_schedina", RECORD_SEMI)
    scrivi(radice / "fuzz_insiemeschede", insiemi())
    scrivi(radice / "fuzz_indiceinsieme", insiemi())
    scrivi(radice / "fuzz_comandi_cli", insiemi())
    scrivi(radice / "fuzz_controllosalvataggio", moduli())


if __name__ == "__main__":
    main()
