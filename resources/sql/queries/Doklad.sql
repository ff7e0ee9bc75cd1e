SELECT tab_historie.ID_DOKLAD,
  to_char(tab_historie.TIME, 'YYYY-MM-DD HH24:MI:SS') AS CAS,
  tab_historie.ID_OPERACE,
  CASE tab_historie.ID_OPERACE
    WHEN 1 THEN '[U]čtenka' WHEN 2 THEN '[F]aktura/dodací list' WHEN 3 THEN '[D]odací list'
    WHEN 4 THEN 'Storno [Ú]čtenky' WHEN 5 THEN 'Storno [F]aktury/dodacího listu'
    WHEN 6 THEN 'Storno [D]odacího listu' ELSE '-' END AS OPERACE,
  tab_historie.REF_ID_DOKLAD, tab_historie.STATE_STAV,
  tab_historie.DOKLAD_NETISTENY, tab_historie.DOKLAD_VYTISTENY,
  tab_kontakt.KONTAKT AS ODBERATEL, tab_kontakt.IC, tab_kontakt.DIC, tab_kontakt.ADRESA,
  tab_kontakt.TELEFON, tab_kontakt.MOBIL, tab_kontakt.EMAIL, tab_kontakt.WWW,
  tab_kontakt.OSOBA, tab_kontakt.POZNAMKA,
  tab_doklad.SLEVA,
  souhrn.POLOZKY_CELKEM, souhrn.NAKUP_CELKEM,
  CASE WHEN tab_historie.ID_OPERACE IN (1, 4) THEN coalesce(celkem.PRODEJ_CELKEM, 0) ELSE 0 END
    AS PRODEJ_HOTOVOST_CELKEM,
  CASE WHEN tab_historie.ID_OPERACE IN (2, 3, 5, 6) THEN coalesce(celkem.PRODEJ_CELKEM, 0) ELSE 0 END
    AS PRODEJ_FAKTURA_CELKEM,
  celkem.PRODEJ_CELKEM,
  souhrn.SOUCET_POLOZEK,
  -- The document's discount as printed (negative on a sale), and what
  -- rounding to whole units adds to the rates' totals after it.
  -souhrn.SLEVA_CASTKA AS SLEVA_CASTKA,
  celkem.PRODEJ_CELKEM - (souhrn.SOUCET_POLOZEK - souhrn.SLEVA_CASTKA) AS ZAOKROUHLENI,
  souhrn.DPH_CASTKA,
  souhrn.DPH1_PRODEJ_CELKEM, souhrn.DPH2_PRODEJ_CELKEM, souhrn.DPH1_DPH, souhrn.DPH2_DPH,
  tab_historie.UZIVATEL
-- The documents of the filter, each once: the filter speaks of the lines (and
-- may speak of their document and customer, which are joined for it only when
-- it does), the totals are made once per document. The document's header is
-- read by its key for each document listed: a join would be planned as a read
-- of all the documents.
FROM (SELECT DISTINCT tab_historie.ID_DOKLAD, tab_historie.TIME, tab_historie.ID_OPERACE,
             tab_historie.REF_ID_DOKLAD, tab_historie.STATE_STAV, tab_historie.DOKLAD_NETISTENY,
             tab_historie.DOKLAD_VYTISTENY, tab_historie.ID_ODBERATEL, tab_historie.UZIVATEL
      FROM tab_historie
        LEFT JOIN tab_doklad ON tab_doklad.ID_DOKLAD = tab_historie.ID_DOKLAD
        LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_historie.ID_ODBERATEL
      WHERE tab_historie.ID_DOKLAD <> 0 AND (%WHERE_FILTER)) tab_historie
  CROSS JOIN LATERAL (SELECT tab_doklad.ID_DOKLAD, tab_doklad.SLEVA FROM tab_doklad
                      WHERE tab_doklad.ID_DOKLAD = tab_historie.ID_DOKLAD LIMIT 1) tab_doklad
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_historie.ID_ODBERATEL
  -- The document's figures from its rates; the rates of VAT ids 2 and 3 on
  -- their own as well.
  CROSS JOIN LATERAL (
    SELECT coalesce(sum(sazba.RADKY), 0)::bigint AS POLOZKY_CELKEM,
      CAST(sum(sazba.NAKUP) AS numeric(19,4)) AS NAKUP_CELKEM,
      sum(sazba.PRESNE) AS PRESNE, sum(sazba.SOUCET) AS SOUCET_POLOZEK,
      coalesce(max(sazba.SLEVA_CASTKA), 0) AS SLEVA_CASTKA,
      coalesce(sum(sazba.DPH_CASTKA), 0) AS DPH_CASTKA,
      coalesce(sum(sazba.PRODEJ_CELKEM) FILTER (WHERE sazba.ID_DPH = 2), 0) AS DPH1_PRODEJ_CELKEM,
      coalesce(sum(sazba.PRODEJ_CELKEM) FILTER (WHERE sazba.ID_DPH = 3), 0) AS DPH2_PRODEJ_CELKEM,
      coalesce(sum(sazba.DPH_CASTKA) FILTER (WHERE sazba.ID_DPH = 2), 0) AS DPH1_DPH,
      coalesce(sum(sazba.DPH_CASTKA) FILTER (WHERE sazba.ID_DPH = 3), 0) AS DPH2_DPH
    FROM (
--#include DokladSazby.sql
    ) sazba
  ) souhrn
  -- The total to pay as the server works it out for the till: the lines as
  -- printed less the discount (tab_doklad_func_K_UHRADE), to whole units. A
  -- database created by an earlier version keeps its procedures, which
  -- round the lines' exact sum after the discount: its documents are listed
  -- with the totals it moved.
  CROSS JOIN (SELECT to_regprocedure('tab_doklad_func_k_uhrade(numeric,integer)') IS NOT NULL
                AS TISTENE_RADKY) pravidlo
  CROSS JOIN LATERAL (
    SELECT CASE WHEN pravidlo.TISTENE_RADKY THEN round(souhrn.SOUCET_POLOZEK - souhrn.SLEVA_CASTKA, 0)
                ELSE round((100.0 - tab_doklad.SLEVA) / 100 * souhrn.PRESNE, 0) END AS PRODEJ_CELKEM
  ) celkem
-- Documents that tie in the chosen order (made in the same second) come in
-- the order they were made.
ORDER BY %ORDER_BY, tab_historie.ID_DOKLAD
