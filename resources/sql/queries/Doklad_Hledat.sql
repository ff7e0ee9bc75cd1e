-- What a search of the documents may find: the lines of the documents the
-- list shows (:KLICE, their keys), each beside its document and the
-- document's figures, made for those documents alone.
SELECT tab_historie.ID_DOKLAD,
  to_char(tab_historie.TIME, 'YYYY-MM-DD HH24:MI:SS') AS CAS,
  tab_historie.ID_OPERACE,
  CASE tab_historie.ID_OPERACE
    WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'
    WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury/dodacího listu'
    WHEN 6 THEN 'Storno [D]odacího listu' ELSE '-' END AS OPERACE,
  tab_historie.STATE_STAV, tab_historie.DOKLAD_NETISTENY, tab_historie.DOKLAD_VYTISTENY,
  tab_kontakt.KONTAKT AS ODBERATEL, tab_kontakt.IC, tab_kontakt.DIC, tab_kontakt.ADRESA,
  tab_doklad.SLEVA AS SLEVA_CELKEM,
  souhrn.POLOZKY_CELKEM, souhrn.NAKUP_CELKEM, souhrn.PRODEJ_CELKEM,
  tab_historie.OZNACENI AS DETAIL_OZNACENI, tab_historie.KOD AS DETAIL_KOD,
  tab_historie.POLOZKA AS DETAIL_POLOZKA, tab_historie.SPECIFIKACE AS DETAIL_SPECIFIKACE,
  tab_historie.NAKUP AS DETAIL_NAKUP, tab_historie.PRODEJ AS DETAIL_PRODEJ,
  tab_historie.SLEVA AS DETAIL_SLEVA, tab_historie.MNOZSTVI AS DETAIL_MNOZSTVI,
  tab_historie.UZIVATEL AS DETAIL_UZIVATEL
FROM tab_historie
  JOIN tab_doklad ON tab_doklad.ID_DOKLAD = tab_historie.ID_DOKLAD
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_historie.ID_ODBERATEL
  LEFT JOIN (SELECT h.ID_DOKLAD, count(*) AS POLOZKY_CELKEM,
               CAST(sum(h.NAKUP * func_MNOZSTVI_PRESNE(h.MNOZSTVI)) AS numeric(19,4)) AS NAKUP_CELKEM,
               tab_doklad_func_CASTKA(h.ID_DOKLAD) AS PRODEJ_CELKEM
             FROM tab_historie h WHERE h.ID_DOKLAD > 0 AND h.ID_DOKLAD = ANY(:KLICE) GROUP BY h.ID_DOKLAD) souhrn
    ON souhrn.ID_DOKLAD = tab_historie.ID_DOKLAD
WHERE tab_historie.ID_DOKLAD = ANY(:KLICE)
