; args: --no-gauss --no-subst --no-transfer --output smt2
; What the writer does so that its output reads back to itself: infinity as (cot 0.0), not
; (/ 1.0 0.0), which reads as a division by zero; an equation 0 = y kept by the calculator
; (Transfer made it of (= (- y) 0)) wrapped in (=> true ...), where alone it would fix y;
; x >= 1 made two ways (from (not (< x 1)) and as itself) bound once, as it reads back.
(set-logic QF_NRAT)
(declare-fun x () Real)
(declare-fun y () Real)
(declare-fun p () Bool)
(define-fun t1 () Real (/ 1.0 0.0))
(assert (= x 3.0))
(assert (> (cot 0.0) t1))
(assert (> t1 x))
(assert (=> true (= 0.0 y)))
(assert (let ((t2 (>= x 1.0))) (or t2 (or p t2))))
(check-sat)
