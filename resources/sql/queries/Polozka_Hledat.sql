-- What a search of the items may find: each valid item that may hold the
-- searched value, once (its line's columns empty), and each line that may
-- hold it, beside its item. The two conditions only narrow what is read (the
-- search tests every row it gets as it always did), so the search finds the
-- items it found when every item came with every one of its lines; they are
-- false for a side the search does not look at, and that side is not read.
WITH polozka AS NOT MATERIALIZED (
  SELECT tab_polozka.ID_POLOZKA, tab_polozka.ID_SKLAD, tab_polozka.ID_KATEGORIE,
    tab_polozka.PATH_ID_KATEGORIE, tab_polozka.OZNACENI, tab_polozka.KOD, tab_polozka.POLOZKA,
    tab_polozka.SPECIFIKACE, tab_polozka.ZARUKA, tab_polozka.NAKUP, tab_polozka.PRODEJ,
    tab_polozka.SLEVA, tab_polozka.MNOZSTVI, tab_polozka.MINIMUM, tab_polozka.NASOBNE,
    tab_polozka.ZASOBA, tab_dph.DPH, tab_sklad.SKLAD, dodavatel.KONTAKT AS DODAVATEL, tab_jednotka.JEDNOTKA
  FROM tab_polozka
    LEFT JOIN tab_dph ON tab_dph.ID_DPH = tab_polozka.ID_DPH
    LEFT JOIN tab_sklad ON tab_sklad.ID_SKLAD = tab_polozka.ID_SKLAD
    LEFT JOIN tab_kontakt dodavatel ON dodavatel.ID_KONTAKT = tab_polozka.ID_DODAVATEL
    LEFT JOIN tab_jednotka ON tab_jednotka.ID_JEDNOTKA = tab_polozka.ID_JEDNOTKA
  WHERE tab_polozka.STATE_PLATNOST),
radek AS NOT MATERIALIZED (
  SELECT tab_historie.ID_POLOZKA, tab_historie.ID_HISTORIE,
    CASE tab_historie.ID_OPERACE
      WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'
      WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury / dodacího listu'
      WHEN 6 THEN 'Storno [D]odacího listu' WHEN 7 THEN '[N]ová' WHEN 8 THEN '[I]mport'
      WHEN 9 THEN '[E]ditace' WHEN 10 THEN '[O]debráno' ELSE '-' END AS DETAIL_OPERACE,
    to_char(tab_historie.TIME, 'YYYY-MM-DD HH24:MI:SS') AS DETAIL_CAS,
    tab_historie.STATE_STAV AS DETAIL_STATE_STAV,
    tab_historie.DOKLAD_NETISTENY AS DETAIL_DOKLAD_NETISTENY,
    tab_historie.DOKLAD_VYTISTENY AS DETAIL_DOKLAD_VYTISTENY,
    tab_historie.OZNACENI AS DETAIL_OZNACENI, tab_historie.KOD AS DETAIL_KOD,
    tab_historie.POLOZKA AS DETAIL_POLOZKA, tab_historie.SPECIFIKACE AS DETAIL_SPECIFIKACE,
    tab_historie.NAKUP AS DETAIL_NAKUP, tab_historie.PRODEJ AS DETAIL_PRODEJ,
    tab_historie.SLEVA AS DETAIL_SLEVA, tab_historie.MNOZSTVI AS DETAIL_MNOZSTVI,
    odberatel.KONTAKT AS DETAIL_ODBERATEL, tab_historie.UZIVATEL AS DETAIL_UZIVATEL
  FROM tab_historie
    LEFT JOIN tab_kontakt odberatel ON odberatel.ID_KONTAKT = tab_historie.ID_ODBERATEL)
SELECT polozka.ID_POLOZKA, polozka.ID_SKLAD, polozka.ID_KATEGORIE, polozka.PATH_ID_KATEGORIE,
  polozka.OZNACENI, polozka.KOD, polozka.POLOZKA, polozka.SPECIFIKACE, polozka.ZARUKA, polozka.NAKUP,
  polozka.PRODEJ, polozka.SLEVA, polozka.MNOZSTVI, polozka.MINIMUM, polozka.NASOBNE, polozka.ZASOBA,
  polozka.DPH, polozka.SKLAD, tab_kategorie_func_PATH_KATEGORIE(polozka.ID_KATEGORIE) AS KATEGORIE,
  polozka.DODAVATEL, polozka.JEDNOTKA, radek.DETAIL_OPERACE, radek.DETAIL_CAS, radek.DETAIL_STATE_STAV,
  radek.DETAIL_DOKLAD_NETISTENY, radek.DETAIL_DOKLAD_VYTISTENY, radek.DETAIL_OZNACENI, radek.DETAIL_KOD,
  radek.DETAIL_POLOZKA, radek.DETAIL_SPECIFIKACE, radek.DETAIL_NAKUP, radek.DETAIL_PRODEJ, radek.DETAIL_SLEVA,
  radek.DETAIL_MNOZSTVI, radek.DETAIL_ODBERATEL, radek.DETAIL_UZIVATEL
FROM (SELECT polozka.ID_POLOZKA, NULL::integer AS ID_HISTORIE FROM polozka WHERE (%HLEDAT_POLOZKU)
      UNION ALL
      SELECT radek.ID_POLOZKA, radek.ID_HISTORIE FROM radek WHERE (%HLEDAT_RADEK)) nalez
  -- Each row found is read by its key: a join would be planned as a read of
  -- every item.
  CROSS JOIN LATERAL (SELECT polozka.* FROM polozka WHERE polozka.ID_POLOZKA = nalez.ID_POLOZKA LIMIT 1) polozka
  LEFT JOIN LATERAL (SELECT radek.* FROM radek WHERE radek.ID_HISTORIE = nalez.ID_HISTORIE LIMIT 1) radek ON true
