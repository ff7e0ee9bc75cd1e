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
  coalesce(souhrn.PRODEJ_HOTOVOST_CELKEM, 0) AS PRODEJ_HOTOVOST_CELKEM,
  coalesce(souhrn.PRODEJ_FAKTURA_CELKEM, 0) AS PRODEJ_FAKTURA_CELKEM,
  souhrn.PRODEJ_CELKEM,
  souhrn.SOUCET_POLOZEK,
  -- What the document's discount adds to the lines (negative on a sale) and
  -- what rounding to whole units adds after it: differences of the figures
  -- as printed, so that a printed document adds up to the haler.
  souhrn.PO_SLEVE - souhrn.SOUCET_POLOZEK AS SLEVA_CASTKA,
  souhrn.PRODEJ_CELKEM - souhrn.PO_SLEVE AS ZAOKROUHLENI,
  coalesce(souhrn.DPH1_PRODEJ_CELKEM, 0) AS DPH1_PRODEJ_CELKEM,
  coalesce(souhrn.DPH2_PRODEJ_CELKEM, 0) AS DPH2_PRODEJ_CELKEM,
  CAST(round(coalesce(souhrn.DPH1_PRODEJ_CELKEM, 0) * sazba_dph.DPH1 / (100 + sazba_dph.DPH1), 2)
       AS numeric(19,4)) AS DPH1_DPH,
  CAST(round(coalesce(souhrn.DPH2_PRODEJ_CELKEM, 0) * sazba_dph.DPH2 / (100 + sazba_dph.DPH2), 2)
       AS numeric(19,4)) AS DPH2_DPH,
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
  CROSS JOIN LATERAL (SELECT tab_doklad.SLEVA FROM tab_doklad
                      WHERE tab_doklad.ID_DOKLAD = tab_historie.ID_DOKLAD LIMIT 1) tab_doklad
  LEFT JOIN tab_kontakt ON tab_kontakt.ID_KONTAKT = tab_historie.ID_ODBERATEL
  CROSS JOIN LATERAL (
    SELECT coalesce(sum(sazba.RADKY), 0)::bigint AS POLOZKY_CELKEM,
      CAST(sum(sazba.NAKUP) AS numeric(19,4)) AS NAKUP_CELKEM,
      round((100.0 - tab_doklad.SLEVA) / 100 * sum(sazba.PRODEJ_SLEVA)
            FILTER (WHERE sazba.ID_OPERACE IN (1, 4)), 0) AS PRODEJ_HOTOVOST_CELKEM,
      round((100.0 - tab_doklad.SLEVA) / 100 * sum(sazba.PRODEJ_SLEVA)
            FILTER (WHERE sazba.ID_OPERACE IN (2, 3, 5, 6)), 0) AS PRODEJ_FAKTURA_CELKEM,
      round((100.0 - tab_doklad.SLEVA) / 100 * sum(sazba.PRODEJ_SLEVA), 0) AS PRODEJ_CELKEM,
      sum(sazba.PRODEJ_RADKY) AS SOUCET_POLOZEK,
      sum(sazba.PO_SLEVE) AS PO_SLEVE,
      sum(sazba.PO_SLEVE) FILTER (WHERE sazba.ID_DPH = 2) AS DPH1_PRODEJ_CELKEM,
      sum(sazba.PO_SLEVE) FILTER (WHERE sazba.ID_DPH = 3) AS DPH2_PRODEJ_CELKEM
    -- The lines by rate: each rate's total is its lines as printed (to the
    -- haler) after the document's discount, to the haler.
    FROM (SELECT radek.ID_OPERACE, radek.ID_DPH, count(*) AS RADKY, sum(radek.NAKUP * radek.MNOZSTVI) AS NAKUP,
                 sum(radek.PRODEJ_SLEVA) AS PRODEJ_SLEVA, sum(radek.PRODEJ_RADEK) AS PRODEJ_RADKY,
                 round((100.0 - tab_doklad.SLEVA) / 100 * sum(radek.PRODEJ_RADEK), 2) AS PO_SLEVE
          FROM (SELECT h.ID_OPERACE, h.ID_DPH, h.NAKUP, func_MNOZSTVI_PRESNE(h.MNOZSTVI) AS MNOZSTVI,
                       (100.0 - h.SLEVA) / 100 * h.PRODEJ * func_MNOZSTVI_PRESNE(h.MNOZSTVI) AS PRODEJ_SLEVA,
                       round(CAST((100.0 - h.SLEVA) / 100 * h.PRODEJ * func_MNOZSTVI_PRESNE(h.MNOZSTVI)
                                  AS numeric(19,4)), 2) AS PRODEJ_RADEK
                FROM tab_historie h WHERE h.ID_DOKLAD = tab_historie.ID_DOKLAD) radek
          GROUP BY radek.ID_OPERACE, radek.ID_DPH) sazba
  ) souhrn
  -- The rates as they stand (a share of the total kept in single precision
  -- is a few haler off on a large document).
  CROSS JOIN (SELECT round(tab_dph_func_DPH(2)::float8::numeric, 4) AS DPH1,
                     round(tab_dph_func_DPH(3)::float8::numeric, 4) AS DPH2) sazba_dph
ORDER BY %ORDER_BY
