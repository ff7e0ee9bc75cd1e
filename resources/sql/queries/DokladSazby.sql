-- A part of the document queries, not a query of its own: the lines of the
-- document tab_doklad (its ID_DOKLAD and SLEVA) by VAT rate, in the figures
-- its pages print. Each line is its price after its discount rounded once to
-- the haler; the document's discount is taken off their sum rounded to the
-- haler, and split over the rates by their sums: each rate takes its exact
-- share cut to the haler, and the haleře left over go one each to the rates
-- with the largest remainders (the lower rate first), so that the rates'
-- totals add up to the sum less the discount exactly. A rate's VAT is its own
-- total's share, to the haler. A cancellation's lines are its sale's with the
-- quantities negative, and so is every figure here.
SELECT podil.ID_DPH, podil.DPH, podil.RADKY, podil.NAKUP, podil.PRESNE, podil.SOUCET, podil.SLEVA_CASTKA,
  podil.SOUCET - podil.SLEVA_SAZBY AS PRODEJ_CELKEM,
  round((podil.SOUCET - podil.SLEVA_SAZBY) * podil.DPH / (100 + podil.DPH), 2) AS DPH_CASTKA
FROM (SELECT presne.*,
        trunc(presne.PODIL, 2) + sign(presne.SLEVA_CASTKA) * 0.01
          * (row_number() OVER (ORDER BY abs(presne.PODIL - trunc(presne.PODIL, 2)) DESC, presne.DPH, presne.ID_DPH)
             <= abs(presne.SLEVA_CASTKA - sum(trunc(presne.PODIL, 2)) OVER ()) * 100)::integer AS SLEVA_SAZBY
      FROM (SELECT sazba.*,
              coalesce(sazba.SLEVA_CASTKA * sazba.SOUCET / nullif(sum(sazba.SOUCET) OVER (), 0), 0) AS PODIL
            FROM (SELECT radek.ID_DPH, radek.DPH, count(*) AS RADKY, sum(radek.NAKUP) AS NAKUP,
                    sum(radek.PRESNE) AS PRESNE, sum(round(radek.PRESNE, 2)) AS SOUCET,
                    round(sum(sum(round(radek.PRESNE, 2))) OVER () * tab_doklad.SLEVA / 100, 2) AS SLEVA_CASTKA
                  -- The rates as they stand (a share of the total kept in
                  -- single precision is a few haler off on a large document).
                  FROM (SELECT h.ID_DPH, coalesce(round(tab_dph.DPH::float8::numeric, 4), 0) AS DPH,
                          h.NAKUP * func_MNOZSTVI_PRESNE(h.MNOZSTVI) AS NAKUP,
                          (100.0 - h.SLEVA) / 100 * h.PRODEJ * func_MNOZSTVI_PRESNE(h.MNOZSTVI) AS PRESNE
                        FROM tab_historie h
                          LEFT JOIN tab_dph ON tab_dph.ID_DPH = h.ID_DPH
                        WHERE h.ID_DOKLAD = tab_doklad.ID_DOKLAD) radek
                  GROUP BY radek.ID_DPH, radek.DPH) sazba) presne) podil
